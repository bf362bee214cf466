#include "window/up_down_accessible.h"

#include "window/up_down.h"

#include <QLabel>

namespace {

QAccessibleInterface *upDownInterface(const QString &className, QObject *object)
{
    auto *upDown = qobject_cast<UpDown *>(object);
    if (className != QLatin1String(UpDown::staticMetaObject.className()) || !upDown)
        return nullptr;
    return new UpDownAccessible(upDown);
}

} // namespace

UpDownAccessible::UpDownAccessible(UpDown *upDown) : QAccessibleWidget(upDown, QAccessible::SpinBox)
{
}

void *UpDownAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString UpDownAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description)
        return labelCaption();
    if (t == QAccessible::Value)
        return QString::number(upDown()->Value());
    return QAccessibleWidget::text(t);
}

QVariant UpDownAccessible::currentValue() const
{
    return upDown()->Value();
}

void UpDownAccessible::setCurrentValue(const QVariant &value)
{
    if (upDown()->isEnabled())
        upDown()->setValue(value.toInt());
}

QVariant UpDownAccessible::maximumValue() const
{
    return upDown()->Max();
}

QVariant UpDownAccessible::minimumValue() const
{
    return upDown()->Min();
}

QVariant UpDownAccessible::minimumStepSize() const
{
    return 1;
}

QStringList UpDownAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (upDown()->isEnabled())
        names << increaseAction() << decreaseAction();
    return names;
}

void UpDownAccessible::doAction(const QString &actionName)
{
    if (!upDown()->isEnabled())
        return;
    if (actionName == increaseAction())
        upDown()->stepUp();
    else if (actionName == decreaseAction())
        upDown()->stepDown();
    else
        QAccessibleWidget::doAction(actionName);
}

UpDown *UpDownAccessible::upDown() const
{
    return static_cast<UpDown *>(widget());
}

// The label whose buddy the control is; read whenever asked, so it is always current.
QString UpDownAccessible::labelCaption() const
{
    const QWidget *parent = upDown()->parentWidget();
    if (!parent)
        return {};
    for (const QLabel *label : parent->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == upDown())
            return label->text();
    }
    return {};
}

void installUpDownAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(upDownInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
