#pragma once

#include "window/main_window.h"

#include <QString>
#include <memory>

// Draws off screen unless a window platform has been chosen; call before the application.
void useOffscreenPlatform();

// The window on the device, shown and painted once; closing it ends nothing.
std::unique_ptr<Form1> openWindow(const QString &devicePath);

// The chart span as if typed into Combo1 and picked, so that the scaling reads it.
void setSpan(Form1 &window, const QString &span);

// Runs what is pending, repaints included, without waiting for more.
void settle();
