#include "awake/sleep_inhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

namespace {

const QString Login1 = QStringLiteral("org.freedesktop.login1");

} // namespace

// The login manager keeps its inhibitor while the descriptor it hands out stays open. It is
// asked without blocking, so a slow login manager never holds up the window; an answer that
// comes after the release is dropped, which closes it, and no answer at all means no manager.
struct SleepInhibitor::Platform {
    QDBusUnixFileDescriptor lock;
    quint64 request = 0; // tells the answer to the current hold from an older one
};

SleepInhibitor::SleepInhibitor(QObject *parent)
    : QObject(parent), platform_(std::make_unique<Platform>())
{
}

SleepInhibitor::~SleepInhibitor() = default;

void SleepInhibitor::hold()
{
    if (held_)
        return;
    held_ = true;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    QDBusMessage inhibit = QDBusMessage::createMethodCall(
        Login1, QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    inhibit << QStringLiteral("sleep") << QStringLiteral("Tarnwick")
            << QStringLiteral("Tarnwick is measuring") << QStringLiteral("block");
    const quint64 request = ++platform_->request;
    auto *answer = new QDBusPendingCallWatcher(bus.asyncCall(inhibit), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this, request](QDBusPendingCallWatcher *call) {
                const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
                if (held_ && request == platform_->request && reply.isValid())
                    platform_->lock = reply.value();
                call->deleteLater();
            });
}

void SleepInhibitor::release()
{
    held_ = false;
    ++platform_->request;
    platform_->lock = {};
}
