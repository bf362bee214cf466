#include "desk.h"
#include "device/device_protocol.h"
#include "wait.h"
#include "window/up_down.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

namespace {

constexpr std::int16_t MostSamples = 32767;

void typeSpan(Form1 &form, const QString &text)
{
    QLineEdit *field = form.Combo1->lineEdit();
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    QCOMPARE(form.Combo1->currentText(), text);
}

bool scaleIsSound(const Form1 &form)
{
    const SessionState &s = form.session();
    return s.MaxSamples >= 1 && s.MaxSamples <= MostSamples && std::isfinite(s.XStep) &&
           s.XStep > 0;
}

} // namespace

class TestOperatorInput : public QObject {
    Q_OBJECT

private slots:
    void typedSpanKeepsTheScaleSound_data()
    {
        QTest::addColumn<QString>("span");
        QTest::addColumn<int>("maxSamples");

        QTest::newRow("empty") << "" << 1;
        QTest::newRow("letters") << "abc" << 1;
        QTest::newRow("negative") << "-5" << 1;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("beyond 16 bits") << "99999" << int(MostSamples);
        QTest::newRow("exponent") << "1e9" << int(MostSamples);
        QTest::newRow("large negative") << "-1e9" << 1;
        QTest::newRow("tiny") << "1e-9" << 1;
        QTest::newRow("blanks and trailing letters") << "  12x" << 720;
        QTest::newRow("beyond a double") << QString(400, u'9') << int(MostSamples);
        QTest::newRow("very long text") << QString(3000, u'x') << 1;
    }

    void typedSpanKeepsTheScaleSound()
    {
        QFETCH(QString, span);
        QFETCH(int, maxSamples);
        ScriptedDesk desk;
        desk.instrument.answer('S', protocol::Acknowledgement);
        typeSpan(desk.form, span);
        QCOMPARE(desk.form.session().MaxSamples, 60);

        desk.form.UpDown1->setFocus();
        QTest::keyClick(desk.form.UpDown1, Qt::Key_Up);
        QCOMPARE(desk.form.UpDown1->Value(), 2);
        QCOMPARE(desk.form.session().MaxSamples, maxSamples);
        QVERIFY(scaleIsSound(desk.form));
        QCOMPARE(desk.form.focusWidget(), desk.form.Command2);

        desk.form.Command1->click();
        QVERIFY(desk.instrument.waitForReceived(4));
        desk.instrument.send("T25.3\r\nH60.1\r\n");
        QVERIFY(waitUntil(
            [&] { return desk.form.Label6->text() == QStringLiteral("湿度 ： 60.1 %RH"); }));
        QCOMPARE(desk.form.session().SampleCount, 1);
        if (maxSamples == 1)
            QVERIFY(waitUntil([&] { return desk.form.Command1->isEnabled(); }));
    }

    void pickedItemReplacesTheTypedSpan()
    {
        ScriptedDesk desk;
        typeSpan(desk.form, QString(3000, u'9'));
        desk.form.Combo1->setFocus();
        QTest::keyClick(desk.form.Combo1, Qt::Key_Down);
        QCOMPARE(desk.form.Combo1->currentText(), QStringLiteral("2"));
        QCOMPARE(desk.form.session().MaxSamples, 120);
        QVERIFY(scaleIsSound(desk.form));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestOperatorInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_operator_input.moc"
