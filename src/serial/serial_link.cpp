#include "serial/serial_link.h"

#include "device/standard_error.h"
#include "serial/port_names.h"

#include <QEventLoop>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimer>
#include <optional>

namespace {

// Long enough for a few queued command bytes to leave on close, short enough not to stall.
constexpr int CloseFlushMs = 100;

struct LineSettings {
    qint32 baud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

std::optional<QSerialPort::Parity> parseParity(const QString &field)
{
    const QString letter = field.toUpper();
    if (letter == u"N")
        return QSerialPort::NoParity;
    if (letter == u"E")
        return QSerialPort::EvenParity;
    if (letter == u"O")
        return QSerialPort::OddParity;
    if (letter == u"M")
        return QSerialPort::MarkParity;
    if (letter == u"S")
        return QSerialPort::SpaceParity;
    return std::nullopt;
}

// A UART sends 1.5 stop bits when asked for 2 with 5-bit characters; termios has no other
// way to ask for them, and no other character size allows them.
std::optional<QSerialPort::StopBits> parseStopBits(const QString &field, int dataBits)
{
    if (field == u"1")
        return QSerialPort::OneStop;
    if (field == u"1.5" && dataBits == 5)
        return QSerialPort::TwoStop;
    if (field == u"2")
        return QSerialPort::TwoStop;
    return std::nullopt;
}

std::optional<LineSettings> parseSettings(const QString &text)
{
    const QStringList fields = text.split(u',');
    if (fields.size() != 4)
        return std::nullopt;
    bool baudOk = false;
    bool bitsOk = false;
    const int baud = fields[0].trimmed().toInt(&baudOk);
    const int bits = fields[2].trimmed().toInt(&bitsOk);
    const auto parity = parseParity(fields[1].trimmed());
    const auto stopBits = parseStopBits(fields[3].trimmed(), bits);
    if (!baudOk || baud <= 0 || !bitsOk || bits < 5 || bits > 8 || !parity || !stopBits)
        return std::nullopt;
    return LineSettings{baud, *parity, QSerialPort::DataBits(bits), *stopBits};
}

std::optional<QSerialPort::FlowControl> flowControl(int handshaking)
{
    switch (handshaking) {
    case 0:
        return QSerialPort::NoFlowControl;
    case 1:
        return QSerialPort::SoftwareControl;
    case 2:
        return QSerialPort::HardwareControl;
    default:
        return std::nullopt;
    }
}

} // namespace

MSComm::MSComm(QObject *parent) : QObject(parent), errorSink_(writeToStandardError)
{
    // The read buffer stays unlimited (size 0): see setInBufferSize.
    port_.setReadBufferSize(0);
    connect(&port_, &QSerialPort::readyRead, this, &MSComm::onReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &MSComm::onError);
}

MSComm::~MSComm()
{
    // Close waits in the event loop: no notification may reach a window that is going away.
    const QSignalBlocker quiet(this);
    close();
}

bool MSComm::setCommPort(int port)
{
    if (port < 1 || PortOpen())
        return false;
    commPort_ = port;
    return true;
}

bool MSComm::setDeviceName(const QString &path)
{
    if (PortOpen())
        return false;
    deviceOverride_ = portDevicePath(path);
    return true;
}

QString MSComm::deviceName() const
{
    if (!deviceOverride_.isEmpty())
        return deviceOverride_;
    return numberedPortName(commPort_);
}

bool MSComm::setSettings(const QString &settings)
{
    const auto line = parseSettings(settings);
    if (!line)
        return false;
    settings_ = settings;
    // While closed QSerialPort only records these; they reach the device when it opens.
    return port_.setBaudRate(line->baud) && port_.setParity(line->parity) &&
           port_.setDataBits(line->dataBits) && port_.setStopBits(line->stopBits);
}

bool MSComm::setHandshaking(int handshaking)
{
    const auto flow = flowControl(handshaking);
    if (!flow)
        return false;
    handshaking_ = handshaking;
    return port_.setFlowControl(*flow);
}

bool MSComm::setRThreshold(int threshold)
{
    if (threshold < 0)
        return false;
    rThreshold_ = threshold;
    return true;
}

bool MSComm::setInBufferSize(int size)
{
    if (size <= 0)
        return false;
    inBufferSize_ = size;
    return true;
}

bool MSComm::setOutBufferSize(int size)
{
    if (size <= 0)
        return false;
    outBufferSize_ = size;
    return true;
}

bool MSComm::setInputMode(int mode)
{
    if (mode != 0 && mode != 1)
        return false;
    inputMode_ = mode;
    return true;
}

bool MSComm::setPortOpen(bool open)
{
    if (!open) {
        close();
        return true;
    }
    if (PortOpen())
        return false;
    return this->open();
}

bool MSComm::setLine(QIODevice *line, const QString &name)
{
    if (PortOpen())
        return false;
    if (line_)
        line_->disconnect(this);
    line_ = line;
    deviceOverride_ = line ? name : QString();
    if (line) {
        connect(line, &QIODevice::readyRead, this, &MSComm::onReadyRead);
        connect(line, &QIODevice::readChannelFinished, this, &MSComm::closeLostPort);
    }
    return true;
}

QIODevice &MSComm::device()
{
    return line_ ? *line_ : static_cast<QIODevice &>(port_);
}

const QIODevice &MSComm::device() const
{
    return line_ ? *line_ : static_cast<const QIODevice &>(port_);
}

bool MSComm::open()
{
    if (!line_)
        port_.setPortName(deviceName());
    if (!device().open(QIODevice::ReadWrite)) {
        reportOpenFailure();
        return false;
    }
    ++opening_;
    lastOpenFailure_.clear();
    return true;
}

// Queued bytes get their time to leave in the event loop: on Windows, Qt 6.4.2's synchronous
// waits can take a completion that is not there and crash. A close that arrives meanwhile
// does nothing; the waiting one closes, unless the port was closed and opened again.
void MSComm::close()
{
    if (!PortOpen() || flushingOnClose_)
        return;
    const quint64 opening = opening_;
    if (device().bytesToWrite() > 0) {
        flushingOnClose_ = true;
        QEventLoop flushed;
        QTimer::singleShot(CloseFlushMs, &flushed, &QEventLoop::quit);
        connect(&device(), &QIODevice::bytesWritten, &flushed, [this, &flushed] {
            if (device().bytesToWrite() == 0)
                flushed.quit();
        });
        connect(&device(), &QIODevice::aboutToClose, &flushed, &QEventLoop::quit);
        flushed.exec(QEventLoop::ExcludeUserInputEvents);
        flushingOnClose_ = false;
    }
    if (PortOpen() && opening == opening_)
        device().close();
}

void MSComm::reportOpenFailure()
{
    QString line =
        QStringLiteral("tarnwick: cannot open %1: %2").arg(deviceName(), device().errorString());
    if (!line_ && port_.error() == QSerialPort::PermissionError)
        line += permissionHint(deviceName());
    if (line == lastOpenFailure_)
        return;
    lastOpenFailure_ = line;
    errorSink_(line);
}

bool MSComm::setOutput(const QByteArray &bytes)
{
    if (!PortOpen())
        return false;
    if (device().write(bytes) != bytes.size())
        return false;
    // Hands the bytes to the device now instead of on the next event-loop pass.
    if (!line_)
        port_.flush();
    return true;
}

QByteArray MSComm::Input()
{
    if (!PortOpen())
        return {};
    return device().readAll();
}

void MSComm::setErrorSink(ErrorSink sink)
{
    errorSink_ = std::move(sink);
}

// QSerialPort raises no readyRead while a readyRead slot still runs, yet a receive handler
// waits inside itself for bytes that arrive in a nested notification. So the notification
// is posted, at most one at a time, and runs after this slot has returned.
void MSComm::onReadyRead()
{
    if (onCommPending_)
        return;
    onCommPending_ = true;
    QMetaObject::invokeMethod(this, &MSComm::raiseOnComm, Qt::QueuedConnection);
}

void MSComm::raiseOnComm()
{
    onCommPending_ = false;
    if (rThreshold_ <= 0 || !PortOpen() || device().bytesAvailable() < rThreshold_)
        return;
    commEvent_ = comEvReceive;
    emit OnComm();
}

// A vanished device either stops reading or fails on every event-loop pass; either way the
// port is closed quietly, once QSerialPort has finished reporting. On an open port every
// error but a timed-out wait and a refused setting means the device is gone: on Windows Qt
// passes on the system error a pending wait or read ends with, so a removed USB adapter
// shows as PermissionError (access denied), DeviceNotFoundError, ResourceError (device
// removed, operation aborted) or UnknownError (a general failure; under Wine a broken pipe).
void MSComm::onError(QSerialPort::SerialPortError error)
{
    const bool lost = error != QSerialPort::NoError && error != QSerialPort::TimeoutError &&
                      error != QSerialPort::UnsupportedOperationError;
    if (lost)
        closeLostPort();
}

void MSComm::closeLostPort()
{
    if (!PortOpen())
        return;
    const quint64 opening = opening_;
    QMetaObject::invokeMethod(
        this,
        [this, opening] {
            if (opening == opening_)
                close();
        },
        Qt::QueuedConnection);
}
