#pragma once

#include "device/trace.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>

// Appends each completed reading to a CSV file as one row:
//   time,sample,quantity,value,unit
//   2026-12-08T14:05:09+09:00,0,temperature,25.3,°C
// Every row goes to the file with one unbuffered write, so a program that is killed or
// ends abruptly loses nothing it has recorded.
class ReadingRecorder {
public:
    // Receives one line, without a line end, when a row cannot be written.
    using ErrorSink = std::function<void(const QString &line)>;

    static inline const QByteArray Header =
        QByteArrayLiteral("time,sample,quantity,value,unit\r\n");

    ReadingRecorder();

    // Opens the file for appending; an existing file is never truncated. A new or empty
    // file gets the header. False when the file cannot be opened or written.
    bool open(const QString &path);
    bool isOpen() const { return file_.isOpen(); }
    // Why the last open or write failed.
    QString errorString() const { return error_; }

    // One row: the reading's time, the sample index it was plotted at, and the value as
    // the window shows it. Does nothing while no file is open.
    void record(Trace trace, float value, std::int32_t sample, const QDateTime &time);

    void setErrorSink(ErrorSink sink);

private:
    bool write(const QByteArray &bytes);
    QByteArray lead() const;
    bool endsMidLine() const;

    QString path_;
    QFile file_; // opened on its descriptor, so it knows no name
    QString error_;
    ErrorSink errorSink_;
    bool failing_ = false;
};
