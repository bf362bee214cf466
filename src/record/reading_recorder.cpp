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

// The origin, and the logging interval as an ISO 8601 duration: PT10M, PT2H.
QStringList originFields(ReadingOrigin origin)
{
    if (!origin.logged)
        return {QStringLiteral("live"), QString()};
    const QChar unit = origin.unit == protocol::Unit::Minutes ? u'M' : u'H';
    return {QStringLiteral("logged"), QStringLiteral("PT%1%2").arg(origin.interval).arg(unit)};
}

} // namespace

ReadingRecorder::ReadingRecorder() : errorSink_(writeToStandardError) {}

bool ReadingRecorder::open(const QString &path)
{
    if (!openForAppending(file_, path, &error_))
        return false;
    path_ = path;
    earlierColumns_ = startsWithEarlierHeader();
    const QByteArray start = lead();
    if (start.isEmpty() || write(start))
        return true;
    file_.close();
    return false;
}

// What goes before the first row: the header in a new or empty file, and a line end after
// a last line left unfinished (edited by hand, perhaps), which would swallow the first row.
// A program reading a pipe or a terminal would take the byte-order mark for text.
QByteArray ReadingRecorder::lead() const
{
    if (file_.size() == 0)
        return file_.isSequential() ? Header : ByteOrderMark + Header;
    return endsMidLine() ? QByteArrayLiteral("\r\n") : QByteArray();
}

// Its first line, with or without a byte-order mark, and ended by CR LF or by LF alone.
bool ReadingRecorder::startsWithEarlierHeader() const
{
    if (file_.size() == 0)
        return false;
    QFile reader(path_);
    if (!reader.open(QIODevice::ReadOnly))
        return false;
    QByteArray first = reader.readLine(ByteOrderMark.size() + EarlierHeader.size() + 1);
    if (first.startsWith(ByteOrderMark))
        first.remove(0, ByteOrderMark.size());
    return first.trimmed() == EarlierHeader.trimmed();
}

bool ReadingRecorder::endsMidLine() const
{
    QFile reader(path_);
    if (!reader.open(QIODevice::ReadOnly) || !reader.seek(reader.size() - 1))
        return false;
    char last = 0;
    return reader.getChar(&last) && last != '\n';
}

QString cannotRecordLine(const QString &path, const QString &reason)
{
    return QStringLiteral("tarnwick: cannot record to %1: %2").arg(path, reason);
}

void ReadingRecorder::record(Trace trace, float value, std::int32_t sample, const QDateTime &time,
                             ReadingOrigin origin)
{
    if (!file_.isOpen())
        return;
    QStringList row = fields(trace, value, sample, time);
    if (!earlierColumns_)
        row << originFields(origin);
    const bool written = write(csv::row(row));
    // One line for each run of failures, not one for every reading while the disk is full.
    if (!written && !failing_)
        errorSink_(cannotRecordLine(path_, error_));
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
