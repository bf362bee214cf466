#pragma once

#include <QAccessibleWidget>

class UpDown;

// What a screen reader sees of a spin control: a spin box with its value and range, the
// caption of its label as description, and increase and decrease actions that step it as
// its arrows do. The name is the control's accessible name.
class UpDownAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit UpDownAccessible(UpDown *upDown);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    UpDown *upDown() const;
    QString labelCaption() const;
};

// Makes the accessibility framework use UpDownAccessible for every spin control. Safe to
// call any number of times; the first call installs it.
void installUpDownAccessibility();
