#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// A serial port the host reports present, as far as choosing and listing ports needs it.
struct PortDescription {
    QString device;   // the device node, such as /dev/ttyUSB0
    QString byIdPath; // its stable link under /dev/serial/by-id/; empty when there is none
    QString description;
    QString manufacturer;
    QString serialNumber;
    std::optional<quint16> vendorId; // USB adapters only
    std::optional<quint16> productId;
};

// The port the instrument most likely hangs on: the only USB adapter, else the first port by
// name; nullptr when no port is present.
const PortDescription *defaultPort(const QList<PortDescription> &ports);

// The order ports are listed in: by the name without its trailing number, then by that number,
// so COM3 comes before COM10 and ttyUSB2 before ttyUSB10.
bool comesFirst(const PortDescription &a, const PortDescription &b);

// Whether path names one of the ports, by its device or its stable link.
bool isPresent(const QList<PortDescription> &ports, const QString &path);

// The path a port is opened by: its stable link when it has one, so that an adapter that
// comes back under another name after being re-plugged is found again.
QString openingPath(const PortDescription &port);
