#include "report/chart_vectors.h"

#include "chart/drawing_log.h"
#include "chart/picture_box.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// A chart pixel's centre: the one-pixel lines of the window run through pixel centres.
constexpr qreal PixelCentre = 0.5;

QFont inChartPixels(QFont font)
{
    if (font.pixelSize() <= 0)
        font.setPixelSize(qRound(font.pointSizeF() * 96 / 72));
    return font;
}

// Points of a polyline nearer in x than half a dot of the page are one column there: of
// each run of them the first, the highest, the lowest and the last are kept, in order,
// which draws the same at that resolution. A long run has dozens of samples to a dot.
QPolygonF thinned(const QPolygonF &points, qreal columnsPerPixel)
{
    const auto column = [&](qsizetype i) { return std::floor(points[i].x() * columnsPerPixel); };
    QPolygonF kept;
    qsizetype first = 0;
    for (qsizetype i = 1; i <= points.size(); ++i) {
        if (i < points.size() && column(i) == column(first))
            continue;
        const auto byY = [&](qsizetype a, qsizetype b) { return points[a].y() < points[b].y(); };
        std::array<qsizetype, 4> ends{first, first, first, i - 1};
        for (qsizetype k = first; k < i; ++k) {
            ends[1] = byY(k, ends[1]) ? k : ends[1];
            ends[2] = byY(ends[2], k) ? k : ends[2];
        }
        std::sort(ends.begin(), ends.end());
        for (auto k = ends.begin(); k != std::unique(ends.begin(), ends.end()); ++k)
            kept.append(points[*k]);
        first = i;
    }
    return kept;
}

// Lines joined into polylines where one goes on from where the last of its colour ended, as
// a trace's segments do: a trace is one path, not thousands, in the page. Polylines are
// drawn in the order they began, which keeps the grid under the traces.
class Polylines {
public:
    void add(const DrawingLog::Line &line)
    {
        const QPointF from(line.x1, line.y1);
        const QPointF to(line.x2, line.y2);
        for (auto open = lines_.rbegin(); open != lines_.rend(); ++open) {
            if (open->colour != line.colour)
                continue;
            if (open->points.constLast() == from) {
                open->points.append(to);
                return;
            }
            break;
        }
        lines_.push_back({line.colour, QPolygonF{from, to}});
    }

    void drawAndClear(QPainter &painter)
    {
        const qreal columnsPerPixel = 2 * painter.worldTransform().m11();
        QPen pen(Qt::SolidLine);
        pen.setWidthF(1);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        for (const Polyline &line : lines_) {
            pen.setColor(QColor(line.colour));
            painter.setPen(pen);
            painter.drawPolyline(
                thinned(line.points, columnsPerPixel).translated(PixelCentre, PixelCentre));
        }
        lines_.clear();
    }

private:
    struct Polyline {
        QRgb colour;
        QPolygonF points;
    };
    std::vector<Polyline> lines_;
};

} // namespace

void paintChart(QPainter &painter, const DrawingLog &chart, const QRectF &target)
{
    painter.save();
    painter.setClipRect(target);
    painter.fillRect(target, QColor(chart.background()));
    painter.translate(target.topLeft());
    painter.scale(target.width() / PictureBox::InnerWidth,
                  target.height() / PictureBox::InnerHeight);
    painter.setRenderHint(QPainter::Antialiasing);
    Polylines lines;
    chart.replay([&](const DrawingLog::Line &line) { lines.add(line); },
                 [&](const DrawingLog::Text &text) {
                     lines.drawAndClear(painter);
                     const QFont font = inChartPixels(text.font);
                     painter.setFont(font);
                     painter.setPen(QColor(text.colour));
                     painter.drawText(QPointF(text.topLeft) +
                                          QPointF(0, QFontMetricsF(font).ascent()),
                                      text.text);
                 });
    lines.drawAndClear(painter);
    painter.restore();
}
