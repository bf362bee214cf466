#pragma once

#include <QString>

#include <QList>

class QSerialPortInfo;
struct PortDescription;

// How this system names its serial ports.

// Port n, counted from 1 as the operator's settings count: /dev/ttyS<n-1>, or COM<n>.
QString numberedPortName(int port);

// The device a name given on the command line stands for. On Linux, as QSerialPort itself
// has it, a path is taken as given and a bare name such as ttyUSB0 is under /dev; on Windows
// both COM3 and \\.\COM12 are taken as given.
QString portDevicePath(const QString &name);

// The device of a port that Qt lists, as the operator names it: /dev/ttyUSB0, or COM3.
QString listedDevice(const QSerialPortInfo &info);

// The port to use without a single USB adapter: port 1 where the system lists it (Windows),
// else the first port present by name; nullptr when there is none.
const PortDescription *fallbackPort(const QList<PortDescription> &ports);

// A hint for an open that the system refused for lack of permission, such as the group that
// may use serial devices; empty when the refusal has another cause or the system has no such rule.
QString permissionHint(const QString &device);
