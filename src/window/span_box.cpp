#include "window/span_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace {

// The application's style with a narrow drop-down button and a one-pixel frame around the
// text field, for a combo box 37 pixels wide.
class NarrowArrowStyle : public QProxyStyle {
public:
    NarrowArrowStyle() : QProxyStyle(QApplication::style()->name()) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override
    {
        if (control != CC_ComboBox || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
            return QProxyStyle::subControlRect(control, option, part, widget);
        constexpr int ArrowWidth = 8;
        constexpr int Frame = 1;
        const QRect box = option->rect;
        const QRect rect =
            part == SC_ComboBoxArrow
                ? QRect(box.right() - ArrowWidth + 1, box.top(), ArrowWidth, box.height())
                : box.adjusted(Frame, Frame, -Frame - ArrowWidth, -Frame);
        return visualRect(option->direction, box, rect);
    }
};

} // namespace

SpanBox::SpanBox(QWidget *parent) : QComboBox(parent)
{
    auto *style = new NarrowArrowStyle;
    style->setParent(this);
    setStyle(style);
    setEditable(true);
    setInsertPolicy(NoInsert);
    connect(this, &QComboBox::activated, this, &SpanBox::onActivated);
}

void SpanBox::showPopup()
{
    QAbstractItemView *list = view();
    list->setMinimumWidth(list->sizeHintForColumn(0) +
                          list->verticalScrollBar()->sizeHint().width() + 2 * list->frameWidth());
    QComboBox::showPopup();
}

// Enter finishes the edit; the arrow keys pick the item before or after.
void SpanBox::keyPressEvent(QKeyEvent *event)
{
    const bool finishes = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QScopedValueRollback finishing(finishingEdit_, finishingEdit_ || finishes);
    QComboBox::keyPressEvent(event);
}

// Losing the focus finishes the edit, whether to another control, another window or the
// list dropping down.
void SpanBox::focusOutEvent(QFocusEvent *event)
{
    const QScopedValueRollback finishing(finishingEdit_, true);
    QComboBox::focusOutEvent(event);
}

void SpanBox::onActivated()
{
    if (!finishingEdit_)
        emit Click();
}
