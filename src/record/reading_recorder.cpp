#include "record/reading_recorder.h"

#include "device/standard_error.h"
#include "record/append_file.h"
#include "record/csv_row.h"
#include "record/recorded_rows.h"

#include <QDir>

using recording::Layout;

ReadingRecorder::ReadingRecorder() : errorSink_(writeToStandardError) {}

bool ReadingRecorder::open(const QString &path)
{
    if (!openForAppending(file_, path, &error_))
        return false;
    path_ = path;
    layout_ = layoutOfFile();
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
    const QByteArray header = recording::header(Layout::Samples);
    if (file_.size() == 0)
        return file_.isSequential() ? header : recording::ByteOrderMark + header;
    return endsMidLine() ? QByteArrayLiteral("\r\n") : QByteArray();
}

// A file begun by an earlier version keeps the layout its header names, so that its rows
// keep one shape; any other goes on with one row per sample.
Layout ReadingRecorder::layoutOfFile() const
{
    if (file_.size() == 0)
        return Layout::Samples;
    QFile reader(path_);
    if (!reader.open(QIODevice::ReadOnly))
        return Layout::Samples;
    const QByteArray first = reader.readLine(recording::ByteOrderMark.size() +
                                             recording::header(Layout::Samples).size() + 1);
    return recording::layoutOfHeader(first).value_or(Layout::Samples);
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
    return QStringLiteral("tarnwick: cannot record to %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

void ReadingRecorder::follow(const RunReadings &readings)
{
    readings_ = &readings;
    finishedSamples_ = readings.samples().size();
    connect(&readings, &RunReadings::begun, this, [this] {
        finishedSamples_ = readings_->samples().size(); // a resumed run's are written already
        heldLinks_.clear();
        readingsPosition_ = -1;
    });
    if (layout_ != Layout::Samples) {
        connect(&readings, &RunReadings::readingAdded, this, &ReadingRecorder::writeReadings);
        return;
    }
    connect(&readings, &RunReadings::sampleFinished, this, &ReadingRecorder::writeSample);
    connect(&readings, &RunReadings::linkNoted, this, &ReadingRecorder::writeLink);
}

void ReadingRecorder::end()
{
    if (readings_ && layout_ == Layout::Samples && readings_->samples().size() > finishedSamples_)
        writeSample(qsizetype(readings_->samples().size()) - 1);
    disconnect(readings_, nullptr, this, nullptr);
    readings_ = nullptr;
}

void ReadingRecorder::writeSample(qsizetype position)
{
    const Sample &sample = readings_->samples().at(position);
    writeRow(recorded::sampleFields(sample, readings_->settings(), readings_->start()));
    finishedSamples_ = std::size_t(position) + 1;
    writeHeldLinks();
}

// A note waits for the row of a sample that was still open when the line went away, so
// that the file has the rows in the order they happened.
void ReadingRecorder::writeLink(qsizetype position)
{
    heldLinks_.push_back(readings_->linkNotes().at(position));
    writeHeldLinks();
}

void ReadingRecorder::writeHeldLinks()
{
    while (!heldLinks_.empty() && heldLinks_.front().samplesBefore <= finishedSamples_) {
        writeRow(
            recorded::linkFields(heldLinks_.front(), readings_->settings(), readings_->start()));
        heldLinks_.erase(heldLinks_.begin());
    }
}

// The readings of the sample not written yet, each at the time it arrived: the sample's
// own time for its first, now for the one that completes it.
void ReadingRecorder::writeReadings(qsizetype position)
{
    if (position != readingsPosition_) {
        readingsPosition_ = position;
        writtenTraces_[0] = writtenTraces_[1] = false;
    }
    const Sample &sample = readings_->samples().at(position);
    for (const Trace trace : {Trace::Temperature, Trace::Humidity}) {
        const std::optional<float> &value =
            trace == Trace::Temperature ? sample.temperature : sample.humidity;
        bool &written = writtenTraces_[int(trace)];
        if (!value || written)
            continue;
        const bool first = !writtenTraces_[0] && !writtenTraces_[1];
        const QDateTime time = first ? sample.time : QDateTime::currentDateTime();
        writeRow(
            recorded::readingFields(layout_, trace, *value, sample.index, time, sample.origin));
        written = true;
    }
}

void ReadingRecorder::writeRow(const QStringList &fields)
{
    // A recording shown in the window is read, never written again.
    if (!file_.isOpen() || (readings_ && readings_->source() == RunReadings::Source::Recording))
        return;
    const bool written = write(csv::row(fields));
    // One line for each run of failures, not one for every row while the disk is full.
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
