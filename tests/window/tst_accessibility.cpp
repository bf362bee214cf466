#include "chart/picture_box.h"
#include "scripted_instrument.h"
#include "window/main_window.h"
#include "window/up_down.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>

namespace {

struct Announcement {
    QObject *object;
    QAccessible::Event type;
    QVariant value;
};

QList<Announcement> announced;

void recordAnnouncement(QAccessibleEvent *event)
{
    const QVariant value = event->type() == QAccessible::ValueChanged
                               ? static_cast<QAccessibleValueChangeEvent *>(event)->value()
                               : QVariant();
    announced.append({event->object(), event->type(), value});
}

bool wasAnnounced(QObject *object, QAccessible::Event type, const QVariant &value = {})
{
    return std::any_of(announced.begin(), announced.end(), [&](const Announcement &a) {
        return a.object == object && a.type == type && a.value == value;
    });
}

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init() { announced.clear(); }

    void spinControlsAreNamedAndDescribedByTheirLabel()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        const QList<std::tuple<UpDown *, QString, QLabel *>> spins = {
            {form.UpDown1, "送信モード", form.Label1},
            {form.UpDown2, "測定間隔", form.Label2},
            {form.UpDown3, "間隔の単位", form.Label3}};
        for (const auto &[upDown, name, label] : spins) {
            QCOMPARE(accessible(upDown)->role(), QAccessible::SpinBox);
            QCOMPARE(accessible(upDown)->text(QAccessible::Name), name);
            QCOMPARE(accessible(upDown)->text(QAccessible::Description), label->text());
        }
        form.UpDown3->setValue(2);
        QCOMPARE(accessible(form.UpDown3)->text(QAccessible::Description), QStringLiteral("時毎"));
        QCOMPARE(accessible(form.Picture1)->text(QAccessible::Name), QStringLiteral("グラフ"));
    }

    void valueAndRangeAreTheControls()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        form.UpDown2->setValue(12);
        QAccessibleValueInterface *value = accessible(form.UpDown2)->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->currentValue(), QVariant(12));
        QCOMPARE(value->minimumValue(), QVariant(1));
        QCOMPARE(value->maximumValue(), QVariant(30));
    }

    // The actions go through the control's change handling: label and scaling.
    void actionsStepLikeTheArrows()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        QAccessibleActionInterface *actions = accessible(form.UpDown2)->actionInterface();
        actions->doAction(QAccessibleActionInterface::increaseAction());
        actions->doAction(QAccessibleActionInterface::increaseAction());
        QCOMPARE(form.UpDown2->Value(), 3);
        QCOMPARE(form.Label2->text(), QStringLiteral("3"));
        QCOMPARE(form.session().MaxSamples, 20); // one hour at every three minutes
        form.UpDown2->setValue(1);
        actions->doAction(QAccessibleActionInterface::decreaseAction());
        QCOMPARE(form.UpDown2->Value(), 1);
    }

    void disabledControlRefusesItsActions()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        form.UpDown1->setEnabled(false);
        QAccessibleInterface *upDown = accessible(form.UpDown1);
        QVERIFY(!upDown->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::increaseAction()));
        upDown->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
        upDown->valueInterface()->setCurrentValue(2);
        QCOMPARE(form.UpDown1->Value(), 1);
        QCOMPARE(form.Label1->text(), QStringLiteral("送信"));
    }

    // Qt announces nothing while no assistive technology listens, as under the offscreen
    // platform. To run this, start the test on an X display inside `dbus-run-session` with
    // /usr/libexec/at-spi-bus-launcher running and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
    void changesAreAnnounced()
    {
        if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 2000))
            QSKIP("no accessibility bus listens");
        QAccessible::installUpdateHandler(recordAnnouncement);
        ScriptedInstrument instrument;
        Form1 form(instrument.devicePath());
        form.UpDown2->setValue(3);
        QVERIFY(wasAnnounced(form.UpDown2, QAccessible::ValueChanged, 3));
        form.Command1_Click();
        instrument.send("T25.3\r\nH60.1\r\n");
        QTRY_COMPARE(form.Label6->text(), QStringLiteral("湿度 ： 60.1 %RH"));
        for (QLabel *label : {form.Label4, form.Label5, form.Label6, form.Label7})
            QVERIFY2(wasAnnounced(label, QAccessible::NameChanged), qPrintable(label->text()));
        QAccessible::installUpdateHandler(nullptr);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
