#pragma once

#include "device/device_protocol.h"
#include "lines/program_line.h"

#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <functional>

// The window's serial link MSComm1, on the window's thread: over the QSerialPort its device
// name stands for, or over a line inside the program that it is handed. Line settings given
// while the port is closed reach the device when it opens; on an open port they apply at once.
// Failures never stop a command; a failed open leaves one line on standard error, and
// PortStatus tells the window of each failure and of the next open.
class MSComm : public QObject {
    Q_OBJECT

public:
    static constexpr int comEvReceive = 2;

    // Receives each open failure line, without a line end.
    using ErrorSink = std::function<void(const QString &line)>;

    explicit MSComm(QObject *parent = nullptr);
    ~MSComm() override;

    // Port n is /dev/ttyS<n-1> (COM<n> on Windows); false for n < 1 or while the port is open.
    bool setCommPort(int port);
    int CommPort() const { return commPort_; }
    // A device path that takes the place of CommPort, or a bare name such as ttyUSB0 for
    // /dev/ttyUSB0; empty goes back to CommPort. False while the port is open.
    bool setDeviceName(const QString &path);
    QString deviceName() const;
    // Where the instrument is: a device path, as setDeviceName, or a line inside the program
    // that takes the place of the device. Such a line must outlive this link or be replaced
    // first. False while the port is open.
    bool setLine(const HostEnd &end);

    // "baud,parity,data bits,stop bits", for example "19200,N,8,1"; parity is one of
    // N, E, O, M, S and stop bits 1, 2, or 1.5 with 5 data bits. False and nothing changed
    // when malformed; false too when an open device refuses them.
    bool setSettings(const QString &settings);
    QString Settings() const { return settings_; }
    // 0 none, 1 XON/XOFF, 2 RTS/CTS; false for anything else.
    bool setHandshaking(int handshaking);
    int Handshaking() const { return handshaking_; }
    // OnComm is raised when at least this many bytes are waiting; 0 raises none.
    bool setRThreshold(int threshold);
    int RThreshold() const { return rThreshold_; }
    // Recorded only: reading is never bounded, since a bounded read buffer stops reading
    // from the device and lets a real UART overrun while the window is busy.
    bool setInBufferSize(int size);
    int InBufferSize() const { return inBufferSize_; }
    bool setOutBufferSize(int size);
    int OutBufferSize() const { return outBufferSize_; }
    // 0 text, 1 binary; both hand out the received bytes unchanged.
    bool setInputMode(int mode);
    int InputMode() const { return inputMode_; }

    // Opening an open port and any open the device refuses fail; closing a closed port
    // does nothing and succeeds.
    bool setPortOpen(bool open);
    bool PortOpen() const { return line_ && line_->isOpen(); }
    // Opens the port again once its device is back, quietly while it is not: no line on
    // standard error and no PortStatus for a device still missing. False when it did not open.
    bool reopen();

    // Queues bytes for sending, unchanged; false and nothing sent while closed.
    bool setOutput(const QByteArray &bytes);
    // comEvReceive once a receive notification has been raised, 0 before.
    int CommEvent() const { return commEvent_; }
    // Every waiting byte once, oldest first; empty when none is waiting.
    QByteArray Input();

    void setErrorSink(ErrorSink sink);
    // The system's words for the port's last failure; empty while there was none.
    QString errorString() const { return line_ ? line_->errorString() : QString(); }

signals:
    // Bytes have arrived; raised from the event loop, never from inside QSerialPort.
    void OnComm();
    // What the operator should know of the port: NoError each time it opens, the reason
    // when an open fails (DeviceNotFoundError, PermissionError ...), ResourceError when the
    // device goes away while open.
    void PortStatus(QSerialPort::SerialPortError status);

private:
    struct OpenFailure {
        QString reason;
        QSerialPort::SerialPortError kind = QSerialPort::OpenError;
    };
    // Opens the line and hands it over; nullptr and the failure when it cannot be had.
    using Opener = std::function<QIODevice *(OpenFailure *failure)>;

    QIODevice *openPort(OpenFailure *failure);
    bool applySettings();
    bool open();
    void attach(QIODevice *line);
    void close();
    void letQueuedBytesLeave();
    void reportOpenFailure(const QString &reason);
    void onReadyRead();
    void raiseOnComm();
    void onError(QSerialPort::SerialPortError error);
    void closeLostPort();

    QSerialPort port_;
    Opener opener_;            // the port, or a line inside the program
    QPointer<QIODevice> line_; // what opener_ opened last
    // Hands bytes queued by the line to the device now, instead of on the next event-loop pass.
    std::function<void()> flush_;
    ErrorSink errorSink_;
    QString lastOpenFailure_;
    QString deviceOverride_;
    QString settings_ = QStringLiteral("9600,N,8,1");
    protocol::LineSettings lineSettings_{9600};
    QSerialPort::FlowControl flowControl_ = QSerialPort::NoFlowControl;
    int commPort_ = 1;
    int handshaking_ = 0;
    int rThreshold_ = 0;
    int inBufferSize_ = 1024;
    int outBufferSize_ = 512;
    int inputMode_ = 0;
    int commEvent_ = 0;
    bool onCommPending_ = false;
    // Tells a close queued by an error of an earlier opening from one of the current opening.
    quint64 opening_ = 0;
    bool closing_ = false;    // waiting in close for queued bytes to leave
    bool onCommHeld_ = false; // a receive notification came meanwhile
};
