#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

// The time of a recorded reading in ISO 8601 to the second, with its offset from UTC
// always written out: 2026-12-08T14:05:09+09:00, or +00:00 for UTC itself.
QString recordedTime(const QDateTime &time);

// The same moment as a spreadsheet takes it for a date and time in any locale: the wall
// clock of recordedTime without the "T" and the offset, 2026-12-08 14:05:09.
QString spreadsheetTime(const QDateTime &time);

// Either form read back, with "Z" for UTC too; a time without an offset is local. Invalid
// when the text is neither.
QDateTime parseRecordedTime(QByteArrayView text);
