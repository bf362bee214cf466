#include "wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int CheckEveryMs = 2;

} // namespace

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    bool met = condition();
    if (met)
        return true;
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer check;
    check.callOnTimeout([&] {
        met = condition();
        if (met || deadline.hasExpired())
            loop.quit();
    });
    check.start(CheckEveryMs);
    loop.exec();
    return met;
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
