#pragma once

#include "figures/live_figures.h"
#include "views/figures_table.h"

#include <QTimer>
#include <QWidget>

class RunReadings;
class QLabel;
class QTableWidget;

namespace views {

// The run's figures in a small window of their own beside the chart, following the run as
// its readings come. It shows them again at most once a second, and not at all
// while hidden, so a fast transfer pays only for the figures themselves. Copy (its button
// or Ctrl+C) puts them on the clipboard as tab-separated text.
class FiguresWindow : public QWidget {
    Q_OBJECT

public:
    explicit FiguresWindow(const RunReadings &readings, QWidget *parent = nullptr);

    FiguresTable table() const;
    void copy() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void figuresChanged();
    void showFigures();

    figures::LiveFigures figures_;
    QTimer showTimer_;
    QList<QLabel *> runLabels_;
    QTableWidget *quantities_;
};

} // namespace views
