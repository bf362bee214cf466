#pragma once

#include "device/device_protocol.h"

#include <QSerialPort>

// Sets the port's framing to line. A closed port keeps it for its next open; false when an
// open port refuses part of it.
bool applyLineSettings(QSerialPort &port, const protocol::LineSettings &line);
