#include "app/ScreenRegistry.h"

#include <QHash>

namespace {

QHash<QString, ScreenFactory>& factories()
{
    static QHash<QString, ScreenFactory> map;
    return map;
}

} // namespace

void registerScreen(const QString& screenClass, ScreenFactory factory)
{
    factories().insert(screenClass, std::move(factory));
}

void clearScreens()
{
    factories().clear();
}

bool hasScreen(const QString& screenClass)
{
    return factories().contains(screenClass);
}

QDialog* createScreen(const QString& screenClass, QWidget* parent)
{
    const auto it = factories().constFind(screenClass);
    if (it == factories().cend() || !*it)
        return nullptr;
    return (*it)(parent);
}
