#pragma once

#include "device/reading_origin.h"
#include "run/sample.h"

#include <QDateTime>
#include <QString>

namespace views {

// Times as the readout and the figures show them, and as a spreadsheet reads them.
QString timeText(const QDateTime &time);
// A computed value rounded to `decimals`, then in the window's number form: 16.7, -5, 100.
QString roundedText(double value, int decimals);
// Live, or logged with the interval the instrument reported.
QString originText(const ReadingOrigin &origin);

// What the pointer shows of a sample, one line each: its time, temperature, humidity, dew
// point, and whether it was measured live or fetched from the instrument's log. A reading
// the sample lacks shows as "―", and the dew point then too.
QString readoutText(const Sample &sample);

} // namespace views
