#include "lines/port_settings.h"

namespace {

QSerialPort::Parity portParity(protocol::LineSettings::Parity parity)
{
    using Parity = protocol::LineSettings::Parity;
    switch (parity) {
    case Parity::None:
        break;
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

// A UART sends 1.5 stop bits when asked for 2 with 5-bit characters; termios has no other
// way to ask for them.
QSerialPort::StopBits portStopBits(protocol::LineSettings::StopBits stopBits)
{
    return stopBits == protocol::LineSettings::StopBits::One ? QSerialPort::OneStop
                                                             : QSerialPort::TwoStop;
}

} // namespace

bool applyLineSettings(QSerialPort &port, const protocol::LineSettings &line)
{
    return port.setBaudRate(line.baud) && port.setParity(portParity(line.parity)) &&
           port.setDataBits(QSerialPort::DataBits(line.dataBits)) &&
           port.setStopBits(portStopBits(line.stopBits));
}
