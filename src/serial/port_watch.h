#pragma once

#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <functional>

class MSComm;

// Brings a lost port back: when the link's device goes away while the owner wants the port
// open, it tries the same device once a second, by the name the port was opened by, until it
// opens or the owner no longer wants it. A poll rather than device notifications: it costs
// next to nothing while the device stays away, and works alike for USB adapters, a PC that
// slept and a pseudo-terminal.
class PortWatch : public QObject {
    Q_OBJECT

public:
    static constexpr int PollMs = 1000;

    // wanted says whether a lost port is to come back now; it is asked at the loss and on
    // every poll.
    PortWatch(MSComm &link, std::function<bool()> wanted, QObject *parent = nullptr);

    bool watching() const { return poll_.isActive(); }

signals:
    // The port was lost while wanted; the watch has begun.
    void lost();
    // The same device opened again; the watch has ended.
    void reopened();

private:
    void onPortStatus(QSerialPort::SerialPortError status);
    void tryReopen();

    MSComm &link_;
    std::function<bool()> wanted_;
    QTimer poll_;
};
