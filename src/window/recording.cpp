#include "window/recording.h"

#include <QDateTime>

void Recording::start(std::unique_ptr<ReadingRecorder> recorder, const QString &path)
{
    recorder_ = std::move(recorder);
    path_ = path;
}

bool Recording::start(const QString &path)
{
    auto recorder = std::make_unique<ReadingRecorder>();
    if (!recorder->open(path)) {
        error_ = recorder->errorString();
        return false;
    }
    start(std::move(recorder), path);
    return true;
}

void Recording::stop()
{
    recorder_.reset();
    path_.clear();
}

void Recording::record(Trace trace, float value, std::int32_t sample, ReadingOrigin origin)
{
    if (recorder_)
        recorder_->record(trace, value, sample, QDateTime::currentDateTime(), origin);
}
