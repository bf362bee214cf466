#include "serial/port_choice.h"

#include "serial/port_names.h"

#include <algorithm>

namespace {

bool isUsbAdapter(const PortDescription &port)
{
    return port.vendorId.has_value();
}

} // namespace

bool comesFirst(const PortDescription &a, const PortDescription &b)
{
    const auto key = [](const QString &device) {
        qsizetype stem = device.size();
        while (stem > 0 && device[stem - 1].isDigit())
            --stem;
        return std::pair(device.left(stem).toUpper(), device.mid(stem).toLongLong());
    };
    return key(a.device) < key(b.device);
}

bool isPresent(const QList<PortDescription> &ports, const QString &path)
{
    return std::any_of(ports.begin(), ports.end(), [&path](const PortDescription &port) {
        return port.device == path || (!port.byIdPath.isEmpty() && port.byIdPath == path);
    });
}

const PortDescription *defaultPort(const QList<PortDescription> &ports)
{
    if (std::count_if(ports.begin(), ports.end(), isUsbAdapter) == 1)
        return &*std::find_if(ports.begin(), ports.end(), isUsbAdapter);
    return fallbackPort(ports);
}

QString openingPath(const PortDescription &port)
{
    return port.byIdPath.isEmpty() ? port.device : port.byIdPath;
}
