#include "serial/port_choice.h"

#include <algorithm>
#include <utility>

namespace {

bool isUsbAdapter(const PortDescription &port)
{
    return port.vendorId.has_value();
}

// Names compare by their stem, then by their trailing number, so ttyS2 comes before ttyS10.
bool comesFirst(const PortDescription &a, const PortDescription &b)
{
    const auto key = [](const QString &device) {
        qsizetype stem = device.size();
        while (stem > 0 && device[stem - 1].isDigit())
            --stem;
        return std::pair(device.left(stem), device.mid(stem).toLongLong());
    };
    return key(a.device) < key(b.device);
}

} // namespace

const PortDescription *defaultPort(const QList<PortDescription> &ports)
{
    if (std::count_if(ports.begin(), ports.end(), isUsbAdapter) == 1)
        return &*std::find_if(ports.begin(), ports.end(), isUsbAdapter);
    if (ports.isEmpty())
        return nullptr;
    return &*std::min_element(ports.begin(), ports.end(), comesFirst);
}

QString openingPath(const PortDescription &port)
{
    return port.byIdPath.isEmpty() ? port.device : port.byIdPath;
}
