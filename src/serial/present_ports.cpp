#include "serial/present_ports.h"

#include "serial/port_names.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>
#include <algorithm>

namespace {

// Each device node under its stable name; links are resolved to the node they lead to.
QHash<QString, QString> stableLinks()
{
    QHash<QString, QString> links;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    const auto entries =
        byId.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &link : entries) {
        const QString device = link.canonicalFilePath();
        if (!device.isEmpty() && !links.contains(device))
            links.insert(device, link.absoluteFilePath());
    }
    return links;
}

} // namespace

QList<PortDescription> presentSerialPorts()
{
    const QHash<QString, QString> links = stableLinks();
    QList<PortDescription> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        PortDescription port{listedDevice(info),
                             links.value(QFileInfo(info.systemLocation()).canonicalFilePath()),
                             info.description(),
                             info.manufacturer(),
                             info.serialNumber(),
                             {},
                             {}};
        if (info.hasVendorIdentifier())
            port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.productId = info.productIdentifier();
        ports.append(port);
    }
    std::sort(ports.begin(), ports.end(), comesFirst);
    return ports;
}
