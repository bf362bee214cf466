#include "serial/port_names.h"

#include "serial/port_choice.h"

#include <QFile>
#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <utility>

QString numberedPortName(int port)
{
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

QString portDevicePath(const QString &name)
{
    const bool isPath = name.startsWith(u'/') || name.startsWith(u"./") || name.startsWith(u"../");
    return isPath || name.isEmpty() ? name : QStringLiteral("/dev/") + name;
}

QString listedDevice(const QSerialPortInfo &info)
{
    return info.systemLocation();
}

// QSerialPort reports a busy lock file as a permission error too; only a device the user
// may not read or write earns the hint.
QString permissionHint(const QString &device)
{
    if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0 || errno != EACCES)
        return {};
    return QStringLiteral(" (is your user in the dialout group?)");
}

// Without a single adapter, the first port present.
const PortDescription *fallbackPort(const QList<PortDescription> &ports)
{
    return ports.isEmpty() ? nullptr : &*std::min_element(ports.begin(), ports.end(), comesFirst);
}
