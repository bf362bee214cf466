#pragma once

#include "record/recording_layout.h"
#include "run/run_readings.h"

#include <QDateTime>
#include <QFile>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

// The one line a recording that cannot be kept leaves on standard error, without a line end.
QString cannotRecordLine(const QString &path, const QString &reason);

// Keeps the run on the window's chart in a CSV file, appending as it goes. A new file gets
// one row per sample, written when the sample takes no more readings (README.md, "Recording
// the readings"); a file begun by an earlier version goes on in its own layout, one row per
// reading as it completes. Every row goes to the file with one unbuffered write, so a
// program that is killed loses at most the reading of an unfinished sample.
class ReadingRecorder : public QObject {
public:
    // Receives one line, without a line end, when a row cannot be written.
    using ErrorSink = std::function<void(const QString &line)>;

    ReadingRecorder();

    // Opens the file for appending; an existing file is never truncated. A new or empty
    // file gets the byte-order mark (unless it is a pipe or a terminal) and the header.
    // False when the file cannot be opened or written.
    bool open(const QString &path);
    bool isOpen() const { return file_.isOpen(); }
    // Why the last open or write failed.
    QString errorString() const { return error_; }
    // The layout the file's header chose.
    recording::Layout layout() const { return layout_; }

    // From now on, the rows of the run `readings` holds, and of every run it begins.
    void follow(const RunReadings &readings);
    // The recording ends: a sample still taking readings is written as it stands.
    void end();

    void setErrorSink(ErrorSink sink);

private:
    void writeSample(qsizetype position);
    void writeReadings(qsizetype position);
    void writeLink(qsizetype position);
    void writeHeldLinks();
    void writeRow(const QStringList &fields);
    bool write(const QByteArray &bytes);
    QByteArray lead() const;
    bool endsMidLine() const;
    recording::Layout layoutOfFile() const;

    QString path_;
    QFile file_; // opened on its descriptor, so it knows no name
    QString error_;
    ErrorSink errorSink_;
    bool failing_ = false;
    recording::Layout layout_ = recording::Layout::Samples;

    const RunReadings *readings_ = nullptr;
    std::size_t finishedSamples_ = 0; // of the run: link notes wait for the samples before
    std::vector<LinkNote> heldLinks_; // noted while the sample before was unfinished
    qsizetype readingsPosition_ = -1; // the sample whose readings were written in part
    bool writtenTraces_[2] = {false, false};
};
