#pragma once

#include "device/trace.h"
#include "run/link_note.h"
#include "run/run_settings.h"
#include "run/sample.h"

#include <QObject>
#include <vector>

// The readings of the run on screen, live from the instrument or opened from a recording,
// sample by sample: the one account of the run that its views, its recording and its
// report read.
class RunReadings : public QObject {
    Q_OBJECT

public:
    enum class Source { Instrument, Recording };

    // A new run on a cleared chart. The last run's unfinished sample is finished first.
    void begin(const RunSettings &settings, const QDateTime &start,
               Source source = Source::Instrument);
    // The run on the chart before a recording was shown, back with the samples it held: they
    // are not announced again, as begun() tells the views to read samples() afresh.
    void resume(const RunSettings &settings, const QDateTime &start, std::vector<Sample> samples,
                std::vector<LinkNote> linkNotes);
    // The chart was rescaled: a selector changed, or a transfer reported its interval.
    void setSettings(const RunSettings &settings);
    // A reading as it was plotted at sample `index`. It completes the last sample when that
    // one stands at the same index and lacks this trace; otherwise it starts a new one.
    void add(Trace trace, float value, std::int32_t index, const QDateTime &time,
             ReadingOrigin origin);
    // No more readings come for the last sample: the run stopped or the program ends.
    void finish();
    void noteLink(LinkNote note);

    const RunSettings &settings() const { return settings_; }
    Source source() const { return source_; }
    QDateTime start() const { return start_; }
    const std::vector<Sample> &samples() const { return samples_; }
    const std::vector<LinkNote> &linkNotes() const { return linkNotes_; }

signals:
    // A run began: samples() holds what it begins with, nothing unless it was resumed.
    void begun();
    void settingsChanged();
    // A sample was added at `position` of samples(), or got its second reading.
    void readingAdded(qsizetype position);
    // The sample at `position` takes no more readings: it is complete, or the next one began.
    void sampleFinished(qsizetype position);
    void linkNoted(qsizetype position);

private:
    bool takes(Trace trace, std::int32_t index) const;

    RunSettings settings_;
    Source source_ = Source::Instrument;
    QDateTime start_;
    std::vector<Sample> samples_;
    std::vector<LinkNote> linkNotes_;
    bool lastFinished_ = true;
};
