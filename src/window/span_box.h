#pragma once

#include <QComboBox>

// The chart-span box: an editable list of spans in a box narrower than the platform's
// drop-down button expects. Its drop-down button and margins are narrowed so that two
// characters show whole, and it raises Click only when the operator picks an item from
// the list: in the list that drops down, with the arrow keys or with the wheel. Finishing
// an edit (Enter, Tab, a click elsewhere) raises nothing and never inserts an item.
class SpanBox : public QComboBox {
    Q_OBJECT

public:
    explicit SpanBox(QWidget *parent = nullptr);

    // The list that drops down is as wide as its items need, wider than the box.
    void showPopup() override;

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void onActivated();

    // Set while the text field finishes its edit, when Qt activates the item whose text
    // equals the typed one.
    bool finishingEdit_ = false;
};
