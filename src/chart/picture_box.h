#pragma once

#include <QFrame>
#include <QImage>

// How a Print call leaves the text cursor.
enum class PrintEnd { KeepLine, EndLine };

// The chart's drawing surface: a sunken panel whose inner area is a retained image of
// 549 x 325 pixels. Coordinates are pixels from the inner area's top-left corner.
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

    // A one-pixel line that lights both end points; each position lights its nearest pixel.
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

    const QImage &image() const { return image_; }
    QPoint innerOrigin() const { return contentsRect().topLeft(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawText(const QString &text);
    void endLine();
    void imageChanged(const QRect &area);

    QImage image_;
    QRect unrepainted_; // image area changed since the last repaint
    bool autoRedraw_ = false;
    float currentX_ = 0;
    float currentY_ = 0;
};
