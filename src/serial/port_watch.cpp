#include "serial/port_watch.h"

#include "serial/serial_link.h"

PortWatch::PortWatch(MSComm &link, std::function<bool()> wanted, QObject *parent)
    : QObject(parent), link_(link), wanted_(std::move(wanted))
{
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &PortWatch::tryReopen);
    connect(&link_, &MSComm::PortStatus, this, &PortWatch::onPortStatus);
}

// The link reports a device that went away while open as ResourceError, then closes the port
// once the event loop comes round; the first poll comes later still.
void PortWatch::onPortStatus(QSerialPort::SerialPortError status)
{
    if (status != QSerialPort::ResourceError || watching() || !wanted_())
        return;
    poll_.start();
    emit lost();
}

// A port opened meanwhile by someone else, a command of the operator's, ends the watch too.
void PortWatch::tryReopen()
{
    if (!wanted_() || link_.PortOpen()) {
        poll_.stop();
        return;
    }
    if (!link_.reopen())
        return;
    poll_.stop();
    emit reopened();
}
