#pragma once

#include <QObject>
#include <QPoint>
#include <optional>

class PictureBox;
class RunReadings;
class QWidget;

namespace views {

// The values under the pointer: moving over the chart names the sample nearest to it in a
// tooltip and to screen readers (the chart's accessible description), and a thin marker
// stands over that sample. The marker is a child widget above the chart, so the chart's
// image never holds it, and moving it repaints only its own column. A still pointer costs
// nothing; readings arriving meanwhile do not touch the readout.
class PointerReadout : public QObject {
    Q_OBJECT

public:
    PointerReadout(PictureBox &picture, const RunReadings &readings);

    // The position in the run's samples of the sample shown; none while nothing shows.
    std::optional<qsizetype> shown() const { return shown_; }
    const QWidget &marker() const { return *marker_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pointAt(QPoint widgetPosition, QPoint globalPosition);
    void show(qsizetype position, QPoint globalPosition);
    void hide();

    PictureBox &picture_;
    const RunReadings &readings_;
    QWidget *marker_;
    std::optional<qsizetype> shown_;
};

} // namespace views
