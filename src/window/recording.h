#pragma once

#include "record/reading_recorder.h"
#include "run/run_readings.h"

#include <QString>
#include <memory>

// The CSV recording of the run on the window's chart, to the file of --record or to one the
// operator picked from the menu: the same rows either way.
class Recording {
public:
    explicit Recording(const RunReadings &readings) : readings_(readings) {}

    // From now on into recorder, open on path; a recording before it ends.
    void start(std::unique_ptr<ReadingRecorder> recorder, const QString &path);
    // Opens path and records into it. False, with the reason in errorString(), when the
    // file cannot be opened; a recording before it then goes on.
    bool start(const QString &path);
    void stop();

    bool isOn() const { return recorder_ != nullptr; }
    QString path() const { return path_; }
    QString errorString() const { return error_; }

private:
    const RunReadings &readings_;
    std::unique_ptr<ReadingRecorder> recorder_;
    QString path_;
    QString error_;
};
