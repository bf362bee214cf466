#include "report/chart_vectors.h"

#include "chart/drawing_log.h"
#include "chart/picture_box.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// A chart pixel's centre: the one-pixel lines of the window run through pixel centres.
constexpr qreal PixelCentre = 0.5;

QFont inChartPixels(QFont font)
{
    if (font.pixelSize() <= 0)
        font.setPixelSize(qRound(font.pointSizeF() * 96 / 72));
    return font;
}

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
    QPen pen(Qt::SolidLine);
    pen.setWidthF(1);
    pen.setCapStyle(Qt::RoundCap);
    const QPointF centre(PixelCentre, PixelCentre);
    chart.replay(
        [&](const DrawingLog::Line &line) {
            pen.setColor(QColor(line.colour));
            painter.setPen(pen);
            painter.drawLine(QPointF(line.x1, line.y1) + centre,
                             QPointF(line.x2, line.y2) + centre);
        },
        [&](const DrawingLog::Text &text) {
            const QFont font = inChartPixels(text.font);
            painter.setFont(font);
            painter.setPen(QColor(text.colour));
            painter.drawText(QPointF(text.topLeft) + QPointF(0, QFontMetricsF(font).ascent()),
                             text.text);
        });
    painter.restore();
}
