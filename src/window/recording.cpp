#include "window/recording.h"

void Recording::start(std::unique_ptr<ReadingRecorder> recorder, const QString &path)
{
    stop();
    recorder_ = std::move(recorder);
    recorder_->follow(readings_);
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
    if (recorder_)
        recorder_->end();
    recorder_.reset();
    path_.clear();
}
