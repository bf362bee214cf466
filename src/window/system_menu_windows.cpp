#include "window/system_menu.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <windows.h>

namespace {

// The low four bits of a system command belong to Windows; ours stays below its own (0xF000).
constexpr WPARAM OperatorMenuCommand = 0x0110;

// Watches the window's messages for the system command of the added item.
class SystemCommandFilter : public QAbstractNativeEventFilter {
public:
    SystemCommandFilter(HWND window, std::function<void()> chosen)
        : window_(window), chosen_(std::move(chosen))
    {
    }

    // A posted message is seen first as it is dispatched, without a result to set; taken
    // there, it reaches the window no more, so the item runs once either way.
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *result) override
    {
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->hwnd != window_ || msg->message != WM_SYSCOMMAND ||
            (msg->wParam & 0xFFF0) != OperatorMenuCommand)
            return false;
        // After this message has returned: the menu runs an event loop of its own.
        QMetaObject::invokeMethod(qApp, chosen_, Qt::QueuedConnection);
        if (result)
            *result = 0;
        return true;
    }

private:
    HWND window_;
    std::function<void()> chosen_;
};

} // namespace

void addToSystemMenu(QWidget &window, const QString &text, std::function<void()> chosen)
{
    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu)
        return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, OperatorMenuCommand, reinterpret_cast<LPCWSTR>(text.utf16()));
    auto *filter = new SystemCommandFilter(hwnd, std::move(chosen));
    QCoreApplication::instance()->installNativeEventFilter(filter);
    QObject::connect(&window, &QObject::destroyed, [filter] {
        QCoreApplication::instance()->removeNativeEventFilter(filter);
        delete filter;
    });
}
