#include "serial/serial_link.h"

#include "device/standard_error.h"
#include "lines/port_settings.h"
#include "serial/port_names.h"

#include <QEventLoop>
#include <QSignalBlocker>
#include <QStringList>
#include <QTimer>
#include <optional>
#include <utility>

namespace {

// Long enough for a few queued command bytes to leave on close, short enough not to stall.
constexpr int CloseFlushMs = 100;

using Parity = protocol::LineSettings::Parity;
using StopBits = protocol::LineSettings::StopBits;

std::optional<Parity> parseParity(const QString &field)
{
    if (field.size() != 1)
        return std::nullopt;
    for (const Parity parity :
         {Parity::None, Parity::Even, Parity::Odd, Parity::Mark, Parity::Space}) {
        if (field[0].toUpper() == QChar(char(parity)))
            return parity;
    }
    return std::nullopt;
}

// 1.5 stop bits go only with 5-bit characters.
std::optional<StopBits> parseStopBits(const QString &field, int dataBits)
{
    if (field == u"1")
        return StopBits::One;
    if (field == u"1.5" && dataBits == 5)
        return StopBits::OneAndHalf;
    if (field == u"2")
        return StopBits::Two;
    return std::nullopt;
}

std::optional<protocol::LineSettings> parseSettings(const QString &text)
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
    return protocol::LineSettings{baud, *parity, bits, *stopBits};
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
    connect(&port_, &QSerialPort::errorOccurred, this, &MSComm::onError);
    setDeviceName({});
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
    return setLine({path, nullptr});
}

QString MSComm::deviceName() const
{
    if (!deviceOverride_.isEmpty())
        return deviceOverride_;
    return numberedPortName(commPort_);
}

bool MSComm::setLine(const HostEnd &end)
{
    if (PortOpen())
        return false;
    if (!end.device) {
        deviceOverride_ = portDevicePath(end.name);
        opener_ = [this](OpenFailure *failure) { return openPort(failure); };
        flush_ = [this] { port_.flush(); };
        return true;
    }
    deviceOverride_ = end.name;
    opener_ = [line = QPointer<QIODevice>(end.device)](OpenFailure *failure) -> QIODevice * {
        if (line && line->open(QIODevice::ReadWrite))
            return line;
        failure->reason = line ? line->errorString() : QStringLiteral("the line has gone");
        return nullptr;
    };
    flush_ = [] {}; // the line takes the bytes as they are written
    return true;
}

bool MSComm::setSettings(const QString &settings)
{
    const auto line = parseSettings(settings);
    if (!line)
        return false;
    settings_ = settings;
    lineSettings_ = *line;
    return applySettings();
}

bool MSComm::setHandshaking(int handshaking)
{
    const auto flow = flowControl(handshaking);
    if (!flow)
        return false;
    handshaking_ = handshaking;
    flowControl_ = *flow;
    return applySettings();
}

// The one place the settings reach the port: while it is closed QSerialPort keeps them for
// its open; on an open port they apply at once.
bool MSComm::applySettings()
{
    return applyLineSettings(port_, lineSettings_) && port_.setFlowControl(flowControl_);
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

QIODevice *MSComm::openPort(OpenFailure *failure)
{
    port_.setPortName(deviceName());
    applySettings();
    if (port_.open(QIODevice::ReadWrite))
        return &port_;
    failure->kind = port_.error();
    failure->reason = port_.errorString();
    if (failure->kind == QSerialPort::PermissionError)
        failure->reason += permissionHint(deviceName());
    return nullptr;
}

bool MSComm::open()
{
    OpenFailure failure;
    QIODevice *line = opener_(&failure);
    if (!line) {
        reportOpenFailure(failure.reason);
        emit PortStatus(failure.kind);
        return false;
    }
    attach(line);
    return true;
}

bool MSComm::reopen()
{
    if (PortOpen())
        return false;
    OpenFailure failure;
    QIODevice *line = opener_(&failure);
    if (!line)
        return false;
    attach(line);
    return true;
}

void MSComm::attach(QIODevice *line)
{
    if (line != line_) {
        if (line_) {
            disconnect(line_, &QIODevice::readyRead, this, nullptr);
            disconnect(line_, &QIODevice::readChannelFinished, this, nullptr);
        }
        line_ = line;
        connect(line, &QIODevice::readyRead, this, &MSComm::onReadyRead);
        // A line inside the program ends so when its instrument's end closes.
        connect(line, &QIODevice::readChannelFinished, this, &MSComm::closeLostPort);
    }
    ++opening_;
    lastOpenFailure_.clear();
    emit PortStatus(QSerialPort::NoError);
}

// Queued bytes get their time to leave in the event loop: on Windows, Qt 6.4.2's synchronous
// waits can take a completion that is not there and crash. The close is one step to its
// callers: receive notifications wait until it is over (then they find the port closed), so
// no decoding, and no Stop that waits without end, runs inside it; and a close asked for
// meanwhile closes at once, which ends the wait. The waiting close leaves a port that was
// closed and opened again alone.
void MSComm::close()
{
    if (!PortOpen())
        return;
    if (closing_) {
        line_->close();
        return;
    }
    const quint64 opening = opening_;
    if (line_->bytesToWrite() > 0)
        letQueuedBytesLeave();
    if (PortOpen() && opening == opening_)
        line_->close();
}

void MSComm::letQueuedBytesLeave()
{
    closing_ = true;
    QEventLoop flushed;
    QTimer::singleShot(CloseFlushMs, &flushed, &QEventLoop::quit);
    connect(line_.data(), &QIODevice::bytesWritten, &flushed, [this, &flushed] {
        if (line_->bytesToWrite() == 0)
            flushed.quit();
    });
    connect(line_.data(), &QIODevice::aboutToClose, &flushed, &QEventLoop::quit);
    flushed.exec(QEventLoop::ExcludeUserInputEvents);
    closing_ = false;
    if (std::exchange(onCommHeld_, false))
        onReadyRead();
}

void MSComm::reportOpenFailure(const QString &reason)
{
    const QString line = QStringLiteral("tarnwick: cannot open %1: %2").arg(deviceName(), reason);
    if (line == lastOpenFailure_)
        return;
    lastOpenFailure_ = line;
    errorSink_(line);
}

bool MSComm::setOutput(const QByteArray &bytes)
{
    if (!PortOpen())
        return false;
    if (line_->write(bytes) != bytes.size())
        return false;
    flush_();
    return true;
}

QByteArray MSComm::Input()
{
    if (!PortOpen())
        return {};
    return line_->readAll();
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
    if (closing_) {
        onCommHeld_ = true;
        return;
    }
    if (rThreshold_ <= 0 || !PortOpen() || line_->bytesAvailable() < rThreshold_)
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
    emit PortStatus(QSerialPort::ResourceError);
    const quint64 opening = opening_;
    QMetaObject::invokeMethod(
        this,
        [this, opening] {
            if (opening == opening_)
                close();
        },
        Qt::QueuedConnection);
}
