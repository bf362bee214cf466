#include "chart/picture_box.h"
#include "window/main_window.h"
#include "window/up_down.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

void act(UpDown *upDown, const QString &action)
{
    accessible(upDown)->actionInterface()->doAction(action);
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    Form1 form{QStringLiteral("/nonexistent")};

private slots:
    void spinControlsAreNamedDescribedAndRanged()
    {
        const QList<std::tuple<UpDown *, QString, QLabel *>> spins = {
            {form.UpDown1, "送信モード", form.Label1},
            {form.UpDown2, "測定間隔", form.Label2},
            {form.UpDown3, "間隔の単位", form.Label3}};
        for (const auto &[upDown, name, label] : spins) {
            QCOMPARE(accessible(upDown)->role(), QAccessible::SpinBox);
            QCOMPARE(accessible(upDown)->text(QAccessible::Name), name);
            QCOMPARE(accessible(upDown)->text(QAccessible::Description), label->text());
            QCOMPARE(accessible(upDown)->valueInterface()->maximumValue(), upDown->Max());
        }
        form.UpDown3->setValue(2);
        QCOMPARE(accessible(form.UpDown3)->text(QAccessible::Description), QStringLiteral("時毎"));
        QCOMPARE(accessible(form.UpDown3)->valueInterface()->currentValue(), 2);
        QCOMPARE(accessible(form.UpDown3)->valueInterface()->minimumValue(), 1);
        QCOMPARE(accessible(form.Picture1)->text(QAccessible::Name), QStringLiteral("グラフ"));
        form.UpDown3->setValue(1);
    }

    // The actions go through the control's change handling: label and scaling.
    void actionsStepLikeTheArrows()
    {
        act(form.UpDown2, QAccessibleActionInterface::increaseAction());
        act(form.UpDown2, QAccessibleActionInterface::increaseAction());
        QCOMPARE(form.Label2->text(), QStringLiteral("3"));
        QCOMPARE(form.session().MaxSamples, 20); // one hour at every three minutes
        form.UpDown2->setValue(1);
        act(form.UpDown2, QAccessibleActionInterface::decreaseAction());
        QCOMPARE(form.UpDown2->Value(), 1);
    }

    void disabledControlRefusesItsActions()
    {
        form.UpDown1->setEnabled(false);
        QVERIFY(!accessible(form.UpDown1)
                     ->actionInterface()
                     ->actionNames()
                     .contains(QAccessibleActionInterface::increaseAction()));
        act(form.UpDown1, QAccessibleActionInterface::increaseAction());
        accessible(form.UpDown1)->valueInterface()->setCurrentValue(2);
        QCOMPARE(form.Label1->text(), QStringLiteral("送信"));
        form.UpDown1->setEnabled(true);
        act(form.UpDown1, QAccessibleActionInterface::increaseAction());
        QCOMPARE(form.Label1->text(), QStringLiteral("メモリ"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
