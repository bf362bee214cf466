#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The layouts a recording has had, told apart by their header line.
namespace recording {

enum class Layout {
    Samples,         // one row per sample, with what the chart needs to draw the run again
    Readings,        // one row per reading: time,sample,quantity,value,unit,origin,log_interval
    EarlierReadings, // the same without origin and log_interval
};

// A new file starts with it, so that spreadsheets take the file for UTF-8.
inline const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// Where each field stands in a row of a layout.
struct SampleField {
    enum : int {
        LocalTime, // yyyy-MM-dd HH:mm:ss, which spreadsheets take for a date and time
        Temperature,
        Humidity,
        Time, // the same moment with its offset from UTC
        Sample,
        Origin,
        LogInterval,
        Mode,
        Interval,
        Span,
        RunStart,
        Link,
        Count
    };
};
struct ReadingField {
    enum : int { Time, Sample, Quantity, Value, Unit, Origin, LogInterval, Count };
};

// The header line of a layout, ended by CR LF.
QByteArray header(Layout layout);

// The layout whose header the line is, with or without a byte-order mark and line end.
std::optional<Layout> layoutOfHeader(QByteArrayView line);

} // namespace recording
