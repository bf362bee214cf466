#pragma once

#include "chart/drawing_log.h"

#include <QFrame>
#include <QImage>

// How a Print call leaves the text cursor.
enum class PrintEnd { KeepLine, EndLine };

// The chart's drawing surface: a sunken panel whose inner area of 549 x 325 pixels shows a
// retained image. Coordinates are pixels from the inner area's top-left corner. The image
// holds the inner area at the screen's device pixel ratio, so that it is shown one to one;
// what was drawn since the last Cls is kept and drawn again when the ratio changes.
// Everything is drawn into the image; the widget shows it once AutoRedraw is on.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    static constexpr int InnerWidth = 549;
    static constexpr int InnerHeight = 325;
    static constexpr int BorderWidth = 2;

    explicit PictureBox(QWidget *parent = nullptr);

    void setAutoRedraw(bool on);
    bool AutoRedraw() const { return autoRedraw_; }

    // Fills the image with the window background colour and puts the text cursor at 0, 0.
    void Cls();

    // A line that lights both end points; each position lights its nearest device pixel
    // at x·ratio, y·ratio. Every line is the ratio rounded (at least 1) device pixels wide,
    // growing right and down from that pixel.
    void Line(float x1, float y1, float x2, float y2, const QColor &colour);
    // The outline of the rectangle with the two points as opposite corners.
    void Box(float x1, float y1, float x2, float y2, const QColor &colour);

    void setCurrentX(float x) { currentX_ = x; }
    void setCurrentY(float y) { currentY_ = y; }
    float CurrentX() const { return currentX_; }
    float CurrentY() const { return currentY_; }

    // Draws the text with its top-left corner at the cursor. A carriage return inside the
    // text ends the line there; EndLine ends it after the text, KeepLine moves right.
    void Print(const QString &text, PrintEnd end);
    // A whole number: its digits, after "-" when negative and after a blank otherwise.
    void Print(int number, PrintEnd end);

    // The retained image in device pixels; at ratio 1 its pixels are chart pixels.
    const QImage &image() const { return image_; }
    qreal ratio() const { return image_.devicePixelRatio(); }
    QPoint innerOrigin() const { return contentsRect().topLeft(); }
    // Everything drawn since the last Cls, in chart pixels: the chart at any resolution.
    const DrawingLog &drawingLog() const { return drawn_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawText(const QString &text);
    void endLine();
    void drawAtRatio(qreal ratio);
    void paintLine(const DrawingLog::Line &line);
    void paintText(const DrawingLog::Text &text);
    void imageChanged(const QRect &area);

    QImage image_;
    DrawingLog drawn_;
    QRect unrepainted_; // image area (device pixels) changed since the last repaint
    bool autoRedraw_ = false;
    float currentX_ = 0;
    float currentY_ = 0;
};
