#pragma once

#include "device/reading_origin.h"
#include "device/trace.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>

// The one line a recording that cannot be kept leaves on standard error, without a line end.
QString cannotRecordLine(const QString &path, const QString &reason);

// Appends each completed reading to a CSV file as one row:
//   time,sample,quantity,value,unit,origin,log_interval
//   2026-12-08T14:05:09+09:00,0,temperature,25.3,°C,live,
//   2026-12-08T14:05:10+09:00,1,temperature,24.8,°C,logged,PT10M
// Every row goes to the file with one unbuffered write, so a program that is killed or
// ends abruptly loses nothing it has recorded.
class ReadingRecorder {
public:
    // Receives one line, without a line end, when a row cannot be written.
    using ErrorSink = std::function<void(const QString &line)>;

    // A new file starts with it, so that spreadsheets take the file for UTF-8.
    static inline const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
    static inline const QByteArray Header =
        QByteArrayLiteral("time,sample,quantity,value,unit,origin,log_interval\r\n");
    // What earlier versions wrote; a file that starts with it goes on getting these five
    // columns alone, so that its rows keep one shape.
    static inline const QByteArray EarlierHeader =
        QByteArrayLiteral("time,sample,quantity,value,unit\r\n");

    ReadingRecorder();

    // Opens the file for appending; an existing file is never truncated. A new or empty
    // file gets the byte-order mark (unless it is a pipe or a terminal) and the header.
    // False when the file cannot be opened or written.
    bool open(const QString &path);
    bool isOpen() const { return file_.isOpen(); }
    // Why the last open or write failed.
    QString errorString() const { return error_; }

    // One row: the reading's time, the sample index it was plotted at, the value as the
    // window shows it, and where it came from. Does nothing while no file is open.
    void record(Trace trace, float value, std::int32_t sample, const QDateTime &time,
                ReadingOrigin origin = {});

    void setErrorSink(ErrorSink sink);

private:
    bool write(const QByteArray &bytes);
    QByteArray lead() const;
    bool endsMidLine() const;
    bool startsWithEarlierHeader() const;

    QString path_;
    QFile file_; // opened on its descriptor, so it knows no name
    QString error_;
    ErrorSink errorSink_;
    bool failing_ = false;
    bool earlierColumns_ = false;
};
