#pragma once

#include <QDateTime>
#include <QString>

// The time of a recorded reading in ISO 8601 to the second, with its offset from UTC
// always written out: 2026-12-08T14:05:09+09:00, or +00:00 for UTC itself.
QString recordedTime(const QDateTime &time);
