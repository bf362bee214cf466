#pragma once

#include "figures/run_figures.h"

#include <QObject>

class RunReadings;

namespace figures {

// The figures of the run in a RunReadings, kept up to date as its readings come: each
// reading costs the same whatever the run's length, and a new run starts them afresh.
class LiveFigures : public QObject {
    Q_OBJECT

public:
    explicit LiveFigures(const RunReadings &readings, QObject *parent = nullptr);

    const RunFigures &figures() const { return figures_; }
    const RunReadings &readings() const { return readings_; }

signals:
    // The figures, the run's settings or its source changed.
    void changed();

private:
    void takeAll();
    void restart();
    void readingAdded(qsizetype position);

    const RunReadings &readings_;
    RunFigures figures_;
    // The sample last taken and which of its readings are in the figures already.
    qsizetype position_ = -1;
    bool temperatureTaken_ = false;
    bool humidityTaken_ = false;
};

} // namespace figures
