#pragma once

#include <QWidget>

// A spin button of 53 x 21 pixels without a text field: a left arrow that steps the value
// down and a right arrow that steps it up, by one and without wrapping. The Up and Down
// keys step it as well when it has the focus.
class UpDown : public QWidget {
    Q_OBJECT

public:
    static constexpr int Width = 53;
    static constexpr int Height = 21;

    explicit UpDown(QWidget *parent = nullptr);

    // A reversed range is taken the right way round; the value is pulled into the range.
    void setRange(int min, int max);
    int Min() const { return min_; }
    int Max() const { return max_; }

    int Value() const { return value_; }
    // A value outside the range is clamped into it.
    void setValue(int value);

    // What the right and left arrows do: one step, never past the range.
    void stepUp();
    void stepDown();

signals:
    // After every change of the value, whoever made it; never when the value stays. The
    // change is also announced to assistive technology.
    void Change();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Arrow { None, Down, Up };

    Arrow arrowAt(QPoint position) const;
    QRect arrowRect(Arrow arrow) const;
    void paintArrow(QPainter &painter, Arrow arrow) const;
    void step(Arrow arrow);
    void announceValue();

    int min_ = 0;
    int max_ = 10;
    int value_ = 0;
    Arrow pressed_ = Arrow::None;
};
