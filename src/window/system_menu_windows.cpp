#include "window/system_menu.h"

#include <QCoreApplication>
#include <QWidget>
#include <windows.h>

namespace {

// The low four bits of a system command belong to Windows; ours stays below its own (0xF000).
constexpr WPARAM OperatorMenuCommand = 0x0110;

// What the item does, kept by the window it belongs to, under this name.
const QString ItemName = QStringLiteral("systemMenuItem");

class SystemMenuItem : public QObject {
public:
    SystemMenuItem(QWidget &window, std::function<void()> chosen)
        : QObject(&window), chosen(std::move(chosen))
    {
        setObjectName(ItemName);
    }

    const std::function<void()> chosen;
};

} // namespace

void addToSystemMenu(QWidget &window, const QString &text, std::function<void()> chosen)
{
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (!menu)
        return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, OperatorMenuCommand, reinterpret_cast<LPCWSTR>(text.utf16()));
    new SystemMenuItem(window, std::move(chosen));
}

bool takeSystemMenuChoice(QWidget &window, const void *message, qintptr *result)
{
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_SYSCOMMAND || (msg->wParam & 0xFFF0) != OperatorMenuCommand)
        return false;
    const auto *item = static_cast<const SystemMenuItem *>(
        window.findChild<QObject *>(ItemName, Qt::FindDirectChildrenOnly));
    if (!item)
        return false;
    // After this message has returned: the menu runs an event loop of its own.
    QMetaObject::invokeMethod(&window, item->chosen, Qt::QueuedConnection);
    *result = 0;
    return true;
}
