#include "record/recorded_runs.h"

void RecordedRuns::begin(const QDateTime &start, const RunSettings &settings)
{
    runs_.push_back(
        {.start = start, .settings = settings, .samples = {}, .linkNotes = {}, .assumed = {}});
    lastCut_ = false;
}

std::size_t RecordedRuns::held(const RecordedRun &run) const
{
    return run.samples.size() + run.linkNotes.size();
}

// False, and counted, once the run holds all it may.
bool RecordedRuns::hasRoom(const RecordedRun &run)
{
    if (held(run) < KeptPerRun)
        return true;
    ++droppedFromRuns_;
    runsCut_ += lastCut_ ? 0 : 1;
    lastCut_ = true;
    return false;
}

void RecordedRuns::add(Sample sample)
{
    RecordedRun &run = last();
    if (!hasRoom(run))
        return;
    run.samples.push_back(std::move(sample));
    ++held_;
    dropOldRuns();
}

void RecordedRuns::complete(Trace trace, float value)
{
    Sample &sample = last().samples.back();
    (trace == Trace::Temperature ? sample.temperature : sample.humidity) = value;
}

void RecordedRuns::add(LinkNote note)
{
    RecordedRun &run = last();
    if (!hasRoom(run))
        return;
    note.samplesBefore = run.samples.size();
    run.linkNotes.push_back(std::move(note));
    ++held_;
    dropOldRuns();
}

void RecordedRuns::dropOldRuns()
{
    while (held_ > KeptInAll && runs_.size() > 1) {
        held_ -= held(runs_.front());
        rowsOfDroppedRuns_ += held(runs_.front());
        ++runsDropped_;
        runs_.pop_front();
    }
}

std::vector<RecordedRun> RecordedRuns::take(QStringList &problems)
{
    if (runsCut_ > 0)
        problems << QStringLiteral("%1 rows after the first %2 of a run not read (in %3 runs): "
                                   "no chart holds more")
                        .arg(droppedFromRuns_)
                        .arg(KeptPerRun)
                        .arg(runsCut_);
    if (runsDropped_ > 0)
        problems << QStringLiteral("the %1 oldest runs (%2 rows) not read: the file holds more "
                                   "than %3 rows")
                        .arg(runsDropped_)
                        .arg(rowsOfDroppedRuns_)
                        .arg(KeptInAll);
    std::vector<RecordedRun> runs(std::make_move_iterator(runs_.begin()),
                                  std::make_move_iterator(runs_.end()));
    runs_.clear();
    held_ = 0;
    return runs;
}
