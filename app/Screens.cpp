#include "app/ScreenRegistry.h"

// Each screen of the menu table is registered here by its class name, once it exists:
//   registerScreen(QStringLiteral("TFrmRastro"),
//                  [](QWidget* parent) { return new TFrmRastro(parent); });
// A menu entry whose screen is not registered does nothing when chosen.
void registerScreens()
{
}
