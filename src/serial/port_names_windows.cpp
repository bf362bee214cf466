#include "serial/port_names.h"

#include <QSerialPortInfo>

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
