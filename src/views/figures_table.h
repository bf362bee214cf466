#pragma once

#include "figures/run_figures.h"

#include <QList>
#include <QStringList>

class RunReadings;

namespace views {

// The figures window's contents as cells: the run's description as label and value, and
// the figures of each quantity under a header row.
struct FiguresTable {
    QList<QStringList> run;
    QList<QStringList> quantities; // the header row first

    // Tab-separated rows, the two parts one empty row apart: a spreadsheet pastes them
    // into cells.
    QString tabSeparated() const;
};

FiguresTable figuresTable(const RunReadings &readings, const figures::RunFigures &figures);

} // namespace views
