#include "views/pointer_readout.h"

#include "chart/chart_geometry.h"
#include "chart/chart_plot.h"
#include "chart/picture_box.h"
#include "run/run_readings.h"
#include "views/nearest_sample.h"
#include "views/readout_text.h"

#include <QMouseEvent>
#include <QToolTip>
#include <cmath>

namespace views {

namespace {

QWidget *newMarker(PictureBox &picture)
{
    auto *marker = new QWidget(&picture);
    marker->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker->setAutoFillBackground(true);
    QPalette palette = marker->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 0, 96)); // the traces show through
    marker->setPalette(palette);
    marker->hide();
    return marker;
}

// The distance between samples, as the live chart scales it.
float xStep(const RunReadings &readings)
{
    const RunSettings &settings = readings.settings();
    return chartScale(settings.span, settings.interval, int(settings.unit)).XStep;
}

// The picture's column of a sample, rounded as a line end is.
int sampleColumn(const RunReadings &readings, const Sample &sample)
{
    return int(std::floor(double(float(chart::sampleX(xStep(readings), sample.index))) + 0.5));
}

} // namespace

PointerReadout::PointerReadout(PictureBox &picture, const RunReadings &readings)
    : QObject(&picture), picture_(picture), readings_(readings), marker_(newMarker(picture))
{
    picture.setMouseTracking(true);
    picture.installEventFilter(this);
    connect(&readings, &RunReadings::begun, this, &PointerReadout::hide);
    connect(&readings, &RunReadings::settingsChanged, this, &PointerReadout::hide);
}

bool PointerReadout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        const auto *move = static_cast<QMouseEvent *>(event);
        pointAt(move->position().toPoint(), move->globalPosition().toPoint());
    } else if (event->type() == QEvent::Leave) {
        hide();
    }
    return QObject::eventFilter(watched, event);
}

void PointerReadout::pointAt(QPoint widgetPosition, QPoint globalPosition)
{
    const double x = widgetPosition.x() - picture_.innerOrigin().x();
    const std::optional<qsizetype> position =
        nearestSample(readings_.samples(), xStep(readings_), x);
    if (position == shown_)
        return;
    if (position)
        show(*position, globalPosition);
    else
        hide();
}

void PointerReadout::show(qsizetype position, QPoint globalPosition)
{
    shown_ = position;
    const Sample &sample = readings_.samples().at(std::size_t(position));
    const QPoint origin = picture_.innerOrigin();
    marker_->setGeometry(origin.x() + sampleColumn(readings_, sample), origin.y() + chart::Top, 1,
                         chart::Height + 1);
    marker_->show();
    const QString text = readoutText(sample);
    QToolTip::showText(globalPosition, text, &picture_);
    picture_.setAccessibleDescription(text);
}

void PointerReadout::hide()
{
    if (!shown_)
        return;
    shown_.reset();
    marker_->hide();
    QToolTip::hideText();
    picture_.setAccessibleDescription({});
}

} // namespace views
