#pragma once

#include <QString>

class QAction;
class QMenu;

// The item of the menu with this text, accelerator mark and all; null when there is none.
QAction *menuItem(const QMenu &menu, const QString &text);
