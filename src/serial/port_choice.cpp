#include "serial/port_choice.h"

#include "serial/port_names.h"

#include <algorithm>

namespace {

bool isUsbAdapter(const PortDescription &port)
{
    return port.vendorId.has_value();
}

} // namespace

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
