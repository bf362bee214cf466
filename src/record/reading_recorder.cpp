#include "record/reading_recorder.h"

#include "device/caption_text.h"
#include "device/standard_error.h"
#include "record/append_file.h"
#include "record/csv_row.h"
#include "record/recorded_time.h"

namespace {

QStringList fields(Trace trace, float value, std::int32_t sample, const QDateTime &time)
{
    const bool temperature = trace == Trace::Temperature;
    return {recordedTime(time), QString::number(sample),
            temperature ? QStringLiteral("temperature") : QStringLiteral("humidity"),
            caption::readingText(value),
            temperature ? QStringLiteral("°C") : QStringLiteral("%RH")};
}

} // namespace

ReadingRecorder::ReadingRecorder() : errorSink_(writeToStandardError) {}

bool ReadingRecorder::open(const QString &path)
{
    if (!openForAppending(file_, path, &error_))
        return false;
    path_ = path;
    const QByteArray start = lead();
    if (start.isEmpty() || write(start))
        return true;
    file_.close();
    return false;
}

// What goes before the first row: the header in a new or empty file, and a line end after
// a last line left unfinished (edited by hand, perhaps), which would swallow the first row.
QByteArray ReadingRecorder::lead() const
{
    if (file_.size() == 0)
        return Header;
    return endsMidLine() ? QByteArrayLiteral("\r\n") : QByteArray();
}

bool ReadingRecorder::endsMidLine() const
{
    QFile reader(path_);
    if (!reader.open(QIODevice::ReadOnly) || !reader.seek(reader.size() - 1))
        return false;
    char last = 0;
    return reader.getChar(&last) && last != '\n';
}

void ReadingRecorder::record(Trace trace, float value, std::int32_t sample, const QDateTime &time)
{
    if (!file_.isOpen())
        return;
    const bool written = write(csv::row(fields(trace, value, sample, time)));
    // One line for each run of failures, not one for every reading while the disk is full.
    if (!written && !failing_)
        errorSink_(QStringLiteral("tarnwick: cannot record to %1: %2").arg(path_, error_));
    failing_ = !written;
}

bool ReadingRecorder::write(const QByteArray &bytes)
{
    const qint64 before = file_.size();
    if (file_.write(bytes) == bytes.size())
        return true;
    error_ = file_.errorString();
    // Takes back a row written in part, so that the next one starts on a line of its own.
    if (!file_.isSequential())
        file_.resize(before);
    return false;
}

void ReadingRecorder::setErrorSink(ErrorSink sink)
{
    errorSink_ = std::move(sink);
}
