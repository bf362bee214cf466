#pragma once

#include "device/trace.h"
#include "record/recording_reader.h"

#include <QStringList>
#include <deque>

// The runs of a recording as its rows come, held within bounds so that a file of any size
// is read in bounded memory: a run keeps its first KeptPerRun samples and link notes (no
// chart holds more positions), and the file its last KeptInAll, older runs dropped whole.
class RecordedRuns {
public:
    static constexpr std::size_t KeptPerRun = 32767;
    static constexpr std::size_t KeptInAll = 1 << 20;

    // Starts a new run.
    void begin(const QDateTime &start, const RunSettings &settings = {});
    bool empty() const { return runs_.empty(); }
    RecordedRun &last() { return runs_.back(); }

    void add(Sample sample);
    // Completes the last sample with a reading it lacks.
    void complete(Trace trace, float value);
    void add(LinkNote note);

    // The runs, oldest first, and what was dropped in problems.
    std::vector<RecordedRun> take(QStringList &problems);

private:
    bool hasRoom(const RecordedRun &run);
    void dropOldRuns();
    std::size_t held(const RecordedRun &run) const;

    std::deque<RecordedRun> runs_;
    std::size_t held_ = 0;
    std::size_t droppedFromRuns_ = 0;
    std::size_t runsCut_ = 0;
    std::size_t runsDropped_ = 0;
    std::size_t rowsOfDroppedRuns_ = 0;
    bool lastCut_ = false;
};
