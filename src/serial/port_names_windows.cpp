#include "serial/port_names.h"

#include "serial/port_choice.h"

#include <QSerialPortInfo>
#include <algorithm>

QString numberedPortName(int port)
{
    return QStringLiteral("COM%1").arg(port);
}

QString portDevicePath(const QString &name)
{
    return name;
}

QString listedDevice(const QSerialPortInfo &info)
{
    return info.portName();
}

// Windows refuses a port that another program holds as "access denied" too; no group or
// setting of the user's would change that.
QString permissionHint(const QString &)
{
    return {};
}

// Without a single adapter, port 1: COM1, when Windows lists it.
const PortDescription *fallbackPort(const QList<PortDescription> &ports)
{
    const auto com1 = std::find_if(ports.begin(), ports.end(), [](const PortDescription &port) {
        return port.device.compare(numberedPortName(1), Qt::CaseInsensitive) == 0;
    });
    return com1 == ports.end() ? nullptr : &*com1;
}
