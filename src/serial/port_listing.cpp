#include "serial/port_listing.h"

#include <QStringList>
#include <algorithm>

namespace {

QString orDash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

QString usbId(const PortDescription &port)
{
    if (!port.vendorId || !port.productId)
        return QStringLiteral("-");
    return QStringLiteral("%1:%2")
        .arg(*port.vendorId, 4, 16, QLatin1Char('0'))
        .arg(*port.productId, 4, 16, QLatin1Char('0'));
}

} // namespace

QString portListing(const QList<PortDescription> &ports, const QString &remembered)
{
    const auto isRemembered = [&remembered](const PortDescription &port) {
        return isPresent({port}, remembered);
    };
    const auto found = std::find_if(ports.begin(), ports.end(), isRemembered);
    const PortDescription *chosen = found != ports.end() ? &*found : defaultPort(ports);
    QString listing;
    for (const PortDescription &port : ports) {
        const QStringList fields = {&port == chosen ? QStringLiteral("*") : QStringLiteral(" "),
                                    port.device,
                                    orDash(port.byIdPath),
                                    orDash(port.description),
                                    orDash(port.manufacturer),
                                    orDash(port.serialNumber),
                                    usbId(port)};
        listing += fields.join(u'\t') + u'\n';
    }
    return listing;
}
