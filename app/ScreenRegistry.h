#pragma once

#include <QDialog>
#include <QString>

#include <functional>

/// Creates a screen, parented to `parent`; the main window shows it modally and destroys it
/// when it closes.
using ScreenFactory = std::function<QDialog*(QWidget* parent)>;

/// Makes the screen class `screenClass` (as the menu table names it, "TFrmRastro") available
/// to the menu. A later registration of the same class replaces the earlier one.
void registerScreen(const QString& screenClass, ScreenFactory factory);
/// Forgets every registration (tests).
void clearScreens();
/// Whether a factory is registered for `screenClass`.
bool hasScreen(const QString& screenClass);
/// A new screen of `screenClass`, or nullptr when no factory is registered yet.
QDialog* createScreen(const QString& screenClass, QWidget* parent);

/// Registers every screen the program has; called once at start-up (app/Screens.cpp).
void registerScreens();
