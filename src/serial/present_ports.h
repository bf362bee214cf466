#pragma once

#include "serial/port_choice.h"

// The serial ports Qt reports present, each with its stable link under /dev/serial/by-id/
// when the system made one.
QList<PortDescription> presentSerialPorts();
