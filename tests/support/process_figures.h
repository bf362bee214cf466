#pragma once

#include <QtGlobal>

// Figures of this process, for bounds that catch a leak or a busy loop.
qint64 residentBytes();
double cpuSeconds();
