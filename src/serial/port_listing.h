#pragma once

#include "serial/port_choice.h"

// The --list-ports text: one line per port with its device, stable link, description,
// manufacturer, serial number and USB vendor:product, separated by tabs, "-" for each that
// is unknown. The port used without --port starts with "*", the others with a blank: the
// remembered one when it is present, else the default choice.
QString portListing(const QList<PortDescription> &ports, const QString &remembered = {});
