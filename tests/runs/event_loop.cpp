#include "event_loop.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int CheckEveryMs = 2;

} // namespace

bool runEventLoopUntil(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer check;
    check.callOnTimeout([&] {
        if (condition() || deadline.hasExpired())
            loop.quit();
    });
    check.start(CheckEveryMs);
    if (!condition())
        loop.exec();
    return condition();
}
