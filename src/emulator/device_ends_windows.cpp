#include "device/device_protocol.h"
#include "emulator/io_line_end.h"
#include "lines/port_settings.h"

std::unique_ptr<LineEnd> openPseudoTerminalEnd(QString *, QString *error)
{
    *error = QStringLiteral("Windows has no pseudo-terminals: name a serial device");
    return nullptr;
}

std::unique_ptr<LineEnd> openDeviceEnd(const QString &devicePath, QString *error)
{
    auto *port = new QSerialPort(devicePath);
    applyLineSettings(*port, protocol::Line);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("cannot open %1: %2").arg(devicePath, port->errorString());
        delete port;
        return nullptr;
    }
    auto end = std::make_unique<IoLineEnd>(port);
    port->setParent(end.get());
    QObject::connect(port, &QSerialPort::errorOccurred, end.get(),
                     [end = end.get()](QSerialPort::SerialPortError fault) {
                         if (fault == QSerialPort::ResourceError)
                             end->hangUp();
                     });
    return end;
}
