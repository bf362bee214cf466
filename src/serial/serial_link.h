#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <functional>

// The window's serial link MSComm1: a small layer over QSerialPort on the window's thread.
// Line settings given while the port is closed reach the device when it opens; on an open
// port they apply at once. Failures are silent towards the window; only a failed open
// leaves one line on standard error.
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
    // A line inside the program, named name, that takes the place of the device: the built-in
    // instrument's, where the system has no pseudo-terminal. It must outlive this link or be
    // set back to nullptr first. False while the port is open.
    bool setLine(QIODevice *line, const QString &name);

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
    bool PortOpen() const { return device().isOpen(); }

    // Queues bytes for sending, unchanged; false and nothing sent while closed.
    bool setOutput(const QByteArray &bytes);
    // comEvReceive once a receive notification has been raised, 0 before.
    int CommEvent() const { return commEvent_; }
    // Every waiting byte once, oldest first; empty when none is waiting.
    QByteArray Input();

    void setErrorSink(ErrorSink sink);

signals:
    // Bytes have arrived; raised from the event loop, never from inside QSerialPort.
    void OnComm();

private:
    QIODevice &device();
    const QIODevice &device() const;
    bool open();
    void close();
    void reportOpenFailure();
    void onReadyRead();
    void raiseOnComm();
    void onError(QSerialPort::SerialPortError error);
    void closeLostPort();

    QSerialPort port_;
    QPointer<QIODevice> line_; // in place of port_ when set
    ErrorSink errorSink_;
    QString lastOpenFailure_;
    QString deviceOverride_;
    QString settings_ = QStringLiteral("9600,N,8,1");
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
    bool flushingOnClose_ = false;
};
