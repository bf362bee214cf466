#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class QWidget;

// An item at the end of the window's system menu (Alt+Space), as terminal programs on Windows
// offer their settings there; chosen runs when the operator picks it. Elsewhere the window
// manager owns that menu, and this does nothing.
void addToSystemMenu(QWidget &window, const QString &text, std::function<void()> chosen);

// The window's nativeEvent passes each message here first: true when it was the item's
// command, which has then been taken. The toolkit shows the system menu itself on Alt+Space
// and hands the command chosen there to the window alone, never to application-wide filters.
bool takeSystemMenuChoice(QWidget &window, const void *message, qintptr *result);
