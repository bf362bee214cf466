#include "window/up_down.h"

#include "window/up_down_accessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

UpDown::UpDown(QWidget *parent) : QWidget(parent)
{
    setFixedSize(Width, Height);
    setFocusPolicy(Qt::StrongFocus);
    installUpDownAccessibility();
}

void UpDown::setRange(int min, int max)
{
    min_ = std::min(min, max);
    max_ = std::max(min, max);
    setValue(value_);
}

void UpDown::setValue(int value)
{
    const int clamped = std::clamp(value, min_, max_);
    if (clamped == value_)
        return;
    value_ = clamped;
    announceValue();
    emit Change();
}

void UpDown::stepUp()
{
    if (value_ < max_)
        setValue(value_ + 1);
}

void UpDown::stepDown()
{
    if (value_ > min_)
        setValue(value_ - 1);
}

void UpDown::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintArrow(painter, Arrow::Down);
    paintArrow(painter, Arrow::Up);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void UpDown::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = arrowAt(event->position().toPoint());
    update();
    step(pressed_);
}

void UpDown::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    pressed_ = Arrow::None;
    update();
}

void UpDown::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up)
        step(Arrow::Up);
    else if (event->key() == Qt::Key_Down)
        step(Arrow::Down);
    else
        QWidget::keyPressEvent(event);
}

UpDown::Arrow UpDown::arrowAt(QPoint position) const
{
    for (const Arrow arrow : {Arrow::Down, Arrow::Up}) {
        if (arrowRect(arrow).contains(position))
            return arrow;
    }
    return Arrow::None;
}

// The down arrow takes the left half, the up arrow the right half and the odd column.
QRect UpDown::arrowRect(Arrow arrow) const
{
    const int half = width() / 2;
    if (arrow == Arrow::Down)
        return QRect(0, 0, half, height());
    return QRect(half, 0, width() - half, height());
}

void UpDown::paintArrow(QPainter &painter, Arrow arrow) const
{
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = arrowRect(arrow);
    button.state |= pressed_ == arrow ? QStyle::State_Sunken : QStyle::State_Raised;
    button.state &= ~QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter, this);
    button.rect = button.rect.adjusted(6, 4, -6, -4);
    const auto indicator =
        arrow == Arrow::Down ? QStyle::PE_IndicatorArrowLeft : QStyle::PE_IndicatorArrowRight;
    style()->drawPrimitive(indicator, &button, &painter, this);
}

void UpDown::step(Arrow arrow)
{
    if (arrow == Arrow::Up)
        stepUp();
    else if (arrow == Arrow::Down)
        stepDown();
}

void UpDown::announceValue()
{
    QAccessibleValueChangeEvent event(this, value_);
    QAccessible::updateAccessibility(&event);
}
