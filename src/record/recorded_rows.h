#pragma once

#include "device/reading_origin.h"
#include "device/trace.h"
#include "record/recording_layout.h"
#include "run/link_note.h"
#include "run/run_settings.h"
#include "run/sample.h"

#include <QDateTime>
#include <QStringList>

// The fields of a recording's rows in each layout, as the recorder writes them.
namespace recorded {

// A sample of the run that started at `start`, measured with `settings`:
//   2026-12-08 14:05:09,25.3,60.1,2026-12-08T14:05:09+09:00,0,live,,send,PT10M,1,
//   2026-12-08T14:05:00+09:00,
QStringList sampleFields(const Sample &sample, const RunSettings &settings, const QDateTime &start);
// A note of the line going away or coming back, in a row of its own without readings.
QStringList linkFields(const LinkNote &note, const RunSettings &settings, const QDateTime &start);
// A reading in a one-row-per-reading layout:
//   2026-12-08T14:05:09+09:00,0,temperature,25.3,°C[,live,]
QStringList readingFields(recording::Layout layout, Trace trace, float value, std::int32_t sample,
                          const QDateTime &time, ReadingOrigin origin);

} // namespace recorded
