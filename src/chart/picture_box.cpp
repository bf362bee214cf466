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

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent), image_(InnerWidth, InnerHeight, QImage::Format_RGB32)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFixedSize(InnerWidth + 2 * BorderWidth, InnerHeight + 2 * BorderWidth);
    image_.fill(palette().color(QPalette::Base));
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
    image_.fill(palette().color(QPalette::Base));
    currentX_ = 0;
    currentY_ = 0;
    imageChanged(image_.rect());
}

void PictureBox::Line(float x1, float y1, float x2, float y2, const QColor &colour)
{
    const std::vector<QPoint> pixels = rasterLine({x1, y1}, {x2, y2}, image_.size());
    if (pixels.empty())
        return;
    const QRgb rgb = colour.rgb();
    for (const QPoint &pixel : pixels)
        image_.setPixel(pixel, rgb);
    // The pixels run monotonically along the line, so its two ends span all of them.
    const QPoint a = pixels.front();
    const QPoint b = pixels.back();
    imageChanged(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                       QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))));
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
    unrepainted_ = QRect();
    const QRect inner = contentsRect();
    // The frame lies wholly outside the inner area, where new drawing is repainted.
    if (!inner.contains(event->rect()))
        QFrame::paintEvent(event);
    const QRect exposed = event->rect() & inner;
    if (exposed.isEmpty())
        return;
    QPainter painter(this);
    if (autoRedraw_)
        painter.drawImage(exposed, image_, exposed.translated(-inner.topLeft()));
    else
        painter.fillRect(exposed, palette().color(QPalette::Base));
}

void PictureBox::drawText(const QString &text)
{
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(font(), &image_);
    const QPoint topLeft(textPixel(currentX_), textPixel(currentY_));
    const QPoint baseline = topLeft + QPoint(0, metrics.ascent());
    QPainter painter(&image_);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(baseline, text);
    const QRect advance(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()));
    const QRect ink = metrics.boundingRect(text).translated(baseline);
    imageChanged((advance | ink).adjusted(-1, -1, 1, 1));
}

void PictureBox::endLine()
{
    const QFontMetrics metrics(font(), &image_);
    currentX_ = 0;
    currentY_ = float(double(currentY_) + metrics.lineSpacing());
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
    update(unrepainted_.translated(innerOrigin()));
}
