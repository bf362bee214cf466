#pragma once

#include <QString>
#include <functional>

class QWidget;

// An item at the end of the window's system menu (Alt+Space), as terminal programs on Windows
// offer their settings there; chosen runs when the operator picks it. Elsewhere the window
// manager owns that menu, and this does nothing.
void addToSystemMenu(QWidget &window, const QString &text, std::function<void()> chosen);
