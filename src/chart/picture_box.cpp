#include "chart/picture_box.h"

#include "chart/raster_line.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

// Text placed further off than this cannot reach the image. It is drawn at this distance
// instead, so that a wild cursor position never overflows an integer.
constexpr float TextReach = 1e6f;

int textPixel(float v)
{
    if (!(std::abs(v) < TextReach))
        return -int(TextReach);
    return int(std::floor(double(v) + 0.5));
}

// The device pixel nearest to a chart position, by the rounding that places line ends.
int devicePixel(double v, qreal ratio)
{
    return int(std::floor(v * ratio + 0.5));
}

QRect deviceRect(const QRect &chartRect, qreal ratio)
{
    return QRectF(QPointF(chartRect.topLeft()) * ratio, QSizeF(chartRect.size()) * ratio)
        .toAlignedRect();
}

QRect chartRect(const QRect &deviceRect, qreal ratio)
{
    return QRectF(QPointF(deviceRect.topLeft()) / ratio, QSizeF(deviceRect.size()) / ratio)
        .toAlignedRect();
}

int deviceLineWidth(qreal ratio)
{
    return std::max(1, int(std::lround(ratio)));
}

// Four pixels beyond an edge of the picture, a line cannot reach it at any ratio from a
// quarter up, however wide it is drawn.
constexpr float Beyond = 4;

// A line wholly beyond one edge never shows, so it need not be kept for another ratio; a
// run that goes on after the chart is full draws only such lines.
bool canShow(const DrawingLog::Line &line)
{
    const float right = PictureBox::InnerWidth + Beyond;
    const float bottom = PictureBox::InnerHeight + Beyond;
    const bool finite = std::isfinite(line.x1) && std::isfinite(line.y1) &&
                        std::isfinite(line.x2) && std::isfinite(line.y2);
    const bool beyondAnEdge =
        (line.x1 < -Beyond && line.x2 < -Beyond) || (line.x1 > right && line.x2 > right) ||
        (line.y1 < -Beyond && line.y2 < -Beyond) || (line.y1 > bottom && line.y2 > bottom);
    return finite && !beyondAnEdge;
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFixedSize(InnerWidth + 2 * BorderWidth, InnerHeight + 2 * BorderWidth);
    drawn_.clear(palette().color(QPalette::Base).rgb());
    drawAtRatio(devicePixelRatioF());
}

void PictureBox::setAutoRedraw(bool on)
{
    if (autoRedraw_ == on)
        return;
    autoRedraw_ = on;
    update(contentsRect());
}

void PictureBox::Cls()
{
    drawn_.clear(palette().color(QPalette::Base).rgb());
    image_.fill(drawn_.background());
    currentX_ = 0;
    currentY_ = 0;
    imageChanged(image_.rect());
}

void PictureBox::Line(float x1, float y1, float x2, float y2, const QColor &colour)
{
    const DrawingLog::Line line{x1, y1, x2, y2, colour.rgb()};
    if (canShow(line)) {
        drawn_.add(line);
        paintLine(line);
    }
}

void PictureBox::Box(float x1, float y1, float x2, float y2, const QColor &colour)
{
    Line(x1, y1, x2, y1, colour);
    Line(x2, y1, x2, y2, colour);
    Line(x2, y2, x1, y2, colour);
    Line(x1, y2, x1, y1, colour);
}

void PictureBox::Print(const QString &text, PrintEnd end)
{
    const QStringList lines = text.split(u'\r');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        drawText(lines[i]);
        endLine();
    }
    drawText(lines.last());
    if (end == PrintEnd::EndLine) {
        endLine();
        return;
    }
    const QFontMetrics metrics(font(), &image_);
    currentX_ = float(double(currentX_) + metrics.horizontalAdvance(lines.last()));
}

void PictureBox::Print(int number, PrintEnd end)
{
    const QString digits = QString::number(number);
    Print(number < 0 ? digits : u' ' + digits, end);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    if (ratio() != devicePixelRatioF())
        drawAtRatio(devicePixelRatioF());
    unrepainted_ = QRect();
    const QRect inner = contentsRect();
    // The frame lies wholly outside the inner area, where new drawing is repainted.
    if (!inner.contains(event->rect()))
        QFrame::paintEvent(event);
    const QRect exposed = event->rect() & inner;
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    if (autoRedraw_) {
        // Drawn whole and clipped, the image lands on whole device pixels at any ratio. The
        // clip is the exposed region, not its bounding rectangle: a marker moved across the
        // chart exposes two thin columns.
        painter.setClipRegion(event->region() & inner);
        painter.drawImage(inner.topLeft(), image_);
    } else {
        painter.fillRect(exposed, palette().color(QPalette::Base));
    }
}

void PictureBox::drawText(const QString &text)
{
    if (text.isEmpty())
        return;
    const DrawingLog::Text placed{QPoint(textPixel(currentX_), textPixel(currentY_)), text, font(),
                                  palette().color(QPalette::Text).rgb()};
    drawn_.add(placed);
    paintText(placed);
}

void PictureBox::endLine()
{
    const QFontMetrics metrics(font(), &image_);
    currentX_ = 0;
    currentY_ = float(double(currentY_) + metrics.lineSpacing());
}

// A fresh image at the ratio, with everything drawn since the last Cls drawn into it again.
void PictureBox::drawAtRatio(qreal ratio)
{
    const QSize size(int(std::ceil(InnerWidth * ratio)), int(std::ceil(InnerHeight * ratio)));
    image_ = QImage(size, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(drawn_.background());
    unrepainted_ = QRect();
    drawn_.replay([this](const DrawingLog::Line &line) { paintLine(line); },
                  [this](const DrawingLog::Text &text) { paintText(text); });
}

void PictureBox::paintLine(const DrawingLog::Line &line)
{
    // Each pixel of the one-pixel line is the top-left corner of a square of the line's
    // width. The line is walked in an image widened up and left by the squares' overhang,
    // so that a square whose corner lies just outside the image still shows its part.
    const int overhang = deviceLineWidth(ratio()) - 1;
    const QPointF shift(overhang, overhang);
    const std::vector<QPoint> corners = rasterLine(QPointF(line.x1, line.y1) * ratio() + shift,
                                                   QPointF(line.x2, line.y2) * ratio() + shift,
                                                   image_.size() + QSize(overhang, overhang));
    if (corners.empty())
        return;
    const QRect bounds = image_.rect();
    for (const QPoint &corner : corners) {
        for (int y = corner.y() - overhang; y <= corner.y(); ++y) {
            for (int x = corner.x() - overhang; x <= corner.x(); ++x) {
                if (bounds.contains(x, y))
                    image_.setPixel(x, y, line.colour);
            }
        }
    }
    // The pixels run monotonically along the line, so its two ends span all of them.
    const QPoint a = corners.front();
    const QPoint b = corners.back();
    imageChanged(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())) - shift.toPoint(),
                       QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))));
}

// The text is drawn by the font at the image's resolution, its baseline on the device
// pixel nearest to where it stands in chart pixels.
void PictureBox::paintText(const DrawingLog::Text &text)
{
    const QFontMetrics metrics(text.font, &image_);
    const QPoint baseline = text.topLeft + QPoint(0, metrics.ascent());
    const QPointF deviceBaseline(devicePixel(baseline.x(), ratio()),
                                 devicePixel(baseline.y(), ratio()));
    QPainter painter(&image_);
    painter.setFont(text.font);
    painter.setPen(QColor(text.colour));
    painter.drawText(deviceBaseline / ratio(), text.text);
    const QRect advance(text.topLeft,
                        QSize(metrics.horizontalAdvance(text.text), metrics.height()));
    const QRect ink = metrics.boundingRect(text.text).translated(baseline);
    imageChanged(deviceRect((advance | ink).adjusted(-1, -1, 1, 1), ratio()));
}

// The segments drawn until the next repaint are asked for as one growing rectangle: as
// many separate ones, each would cost the repaint manager more than the one before. Drawing
// inside the rectangle already asked for needs no further request.
void PictureBox::imageChanged(const QRect &area)
{
    const QRect changed = area.intersected(image_.rect());
    if (!autoRedraw_ || unrepainted_.contains(changed))
        return;
    unrepainted_ |= changed;
    update(chartRect(unrepainted_, ratio()).translated(innerOrigin()));
}
