#include "chart/picture_box.h"
#include "chart/qb_color.h"
#include "device/caption_text.h"
#include "scripted_instrument.h"
#include "wait.h"
#include "window/label_time_format.h"
#include "window/main_window.h"
#include "window/up_down.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QtEndian>

namespace {

QHash<QString, QWidget *> controls(Form1 &f)
{
    return {{"Form1", &f},
            {"Picture1", f.Picture1},
            {"Label7", f.Label7},
            {"Frame1", f.Frame1},
            {"Label1", f.Label1},
            {"Label2", f.Label2},
            {"Label3", f.Label3},
            {"UpDown1", f.UpDown1},
            {"UpDown2", f.UpDown2},
            {"UpDown3", f.UpDown3},
            {"Label8", f.Label8},
            {"Combo1", f.Combo1},
            {"Label4", f.Label4},
            {"Label5", f.Label5},
            {"Label6", f.Label6},
            {"Command3", f.Command3},
            {"Command1", f.Command1},
            {"Command2", f.Command2}};
}

// The named control that holds widget: the widget itself or its nearest named ancestor.
QString nameOf(Form1 &f, const QWidget *widget)
{
    const auto all = controls(f);
    for (; widget; widget = widget->parentWidget()) {
        const QString name = all.key(const_cast<QWidget *>(widget));
        if (!name.isEmpty())
            return name;
    }
    return QStringLiteral("?");
}

// How many columns, first to last, hold pixels nearer to the colour ink than to white.
int inkWidth(const QImage &image, QColor ink)
{
    const int threshold = (qGray(ink.rgb()) + 255) / 2;
    int first = image.width();
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < threshold) {
                first = std::min(first, x);
                last = x;
            }
        }
    }
    return last - first + 1;
}

void showActive(Form1 &form)
{
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void controlGeometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");

        QTest::newRow("Picture1") << "Picture1"
                                  << "Form1" << QRect(0, 0, 553, 329) << "";
        QTest::newRow("Label7") << "Label7"
                                << "Picture1" << QRect(62, 22, 94, 12) << "開始 ： ";
        QTest::newRow("Frame1") << "Frame1"
                                << "Form1" << QRect(8, 332, 205, 65) << "条件";
        QTest::newRow("Label1") << "Label1"
                                << "Frame1" << QRect(20, 16, 36, 15) << "送信";
        QTest::newRow("Label2") << "Label2"
                                << "Frame1" << QRect(95, 16, 16, 15) << "1";
        QTest::newRow("Label3") << "Label3"
                                << "Frame1" << QRect(148, 16, 35, 15) << "分毎";
        QTest::newRow("UpDown1") << "UpDown1"
                                 << "Frame1" << QRect(12, 36, 53, 21) << "";
        QTest::newRow("UpDown2") << "UpDown2"
                                 << "Frame1" << QRect(76, 36, 53, 21) << "";
        QTest::newRow("UpDown3") << "UpDown3"
                                 << "Frame1" << QRect(140, 36, 53, 21) << "";
        QTest::newRow("Label8") << "Label8"
                                << "Form1" << QRect(228, 344, 53, 13) << "測定時間";
        QTest::newRow("Combo1") << "Combo1"
                                << "Form1" << QRect(236, 360, 37, 20) << "1";
        QTest::newRow("Label4") << "Label4"
                                << "Form1" << QRect(300, 340, 94, 12) << "時間 ： ";
        QTest::newRow("Label5") << "Label5"
                                << "Form1" << QRect(300, 360, 94, 12) << "温度 ： ";
        QTest::newRow("Label6") << "Label6"
                                << "Form1" << QRect(300, 380, 94, 12) << "湿度 ： ";
        QTest::newRow("Command3") << "Command3"
                                  << "Form1" << QRect(408, 352, 41, 29) << "受信";
        QTest::newRow("Command1") << "Command1"
                                  << "Form1" << QRect(456, 352, 41, 29) << "測定";
        QTest::newRow("Command2") << "Command2"
                                  << "Form1" << QRect(504, 352, 41, 29) << "停止";
    }

    void controlGeometry()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        Form1 form(QStringLiteral("/nonexistent"));
        QWidget *control = controls(form).value(name);
        QCOMPARE(control->parentWidget(), controls(form).value(parent));
        QCOMPARE(control->geometry(), geometry);
        if (auto *label = qobject_cast<QLabel *>(control))
            QCOMPARE(label->text(), caption);
        else if (auto *button = qobject_cast<QAbstractButton *>(control))
            QCOMPARE(button->text(), caption);
        else if (auto *frame = qobject_cast<QGroupBox *>(control))
            QCOMPARE(frame->title(), caption);
        else if (auto *combo = qobject_cast<QComboBox *>(control))
            QCOMPARE(combo->currentText(), caption);
        QVERIFY(control->isEnabled());
    }

    void windowIsFixedAndCaptioned()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tarnwick(PIC16F88)"));
        QCOMPARE(form.minimumSize(), QSize(552, 405));
        QCOMPARE(form.maximumSize(), QSize(552, 405));
        QCOMPARE(form.windowIcon().availableSizes(), QList<QSize>({{16, 16}, {32, 32}}));
        QCOMPARE(form.Picture1->image().size(), QSize(549, 325));
    }

    // The icon Windows shows for tarnwick.exe is the window's own.
    void programFileIconIsTheWindowIcon()
    {
        const QIcon windowIcon = Form1(QStringLiteral("/nonexistent")).windowIcon();
        QImageReader reader(QStringLiteral(TARNWICK_PROGRAM_ICON));
        QList<QSize> sizes;
        for (int i = 0; i < reader.imageCount(); ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage frame = reader.read().convertToFormat(QImage::Format_ARGB32);
            sizes << frame.size();
            QCOMPARE(
                frame,
                windowIcon.pixmap(frame.size()).toImage().convertToFormat(QImage::Format_ARGB32));
        }
        QCOMPARE(sizes, windowIcon.availableSizes());
        // Sixteen colours, as the window's: each picture's bitmap header says 4 bits a pixel.
        QFile file(QStringLiteral(TARNWICK_PROGRAM_ICON));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ico = file.readAll();
        for (qsizetype entry = 6; entry < 6 + 16 * sizes.size(); entry += 16) {
            const auto bitmap = qFromLittleEndian<quint32>(ico.constData() + entry + 12);
            QCOMPARE(qFromLittleEndian<quint16>(ico.constData() + bitmap + 14), quint16(4));
        }
    }

    void selectorsStartAtOne()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        const QList<std::pair<UpDown *, int>> ranges = {
            {form.UpDown1, 2}, {form.UpDown2, 30}, {form.UpDown3, 2}};
        for (const auto &[control, max] : ranges) {
            QCOMPARE(control->Value(), 1);
            QCOMPARE(control->Min(), 1);
            QCOMPARE(control->Max(), max);
        }
        QCOMPARE(form.Combo1->count(), 24);
        QCOMPARE(form.Combo1->itemText(0), QStringLiteral("1"));
        QCOMPARE(form.Combo1->itemText(23), QStringLiteral("24"));
    }

    void loadDrawsTheGridAndScalesTheChart()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        QCOMPARE(form.session().MaxSamples, 60);
        QCOMPARE(form.session().XStep, 7.5f);
        QCOMPARE(form.Picture1->image().pixelColor(200, 10), QBColor(2));
        QCOMPARE(form.Picture1->image().pixelColor(96, 100), QBColor(10));
        QVERIFY(!form.MSComm1.PortOpen());
    }

    void focusStartsOnStopAndFollowsTheTabOrder()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.focusWidget(), form.Command2);
        QStringList order;
        for (int i = 0; i < 8; ++i) {
            order << nameOf(form, QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"Command2", "Command1", "Command3", "UpDown1", "UpDown2",
                                     "UpDown3", "Combo1", "Picture1"}));
    }

    void selectorChangeRelabelsRescalesAndFocusesStop_data()
    {
        QTest::addColumn<int>("selector");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("maxSamples");

        QTest::newRow("memory mode") << 1 << 2 << "メモリ" << 60;
        QTest::newRow("send mode") << 1 << 1 << "送信" << 60;
        QTest::newRow("every 5") << 2 << 5 << "5" << 12;
        QTest::newRow("every 30") << 2 << 30 << "30" << 2;
        QTest::newRow("hours") << 3 << 2 << "時毎" << 1;
    }

    void selectorChangeRelabelsRescalesAndFocusesStop()
    {
        QFETCH(int, selector);
        QFETCH(int, value);
        QFETCH(QString, caption);
        QFETCH(int, maxSamples);
        Form1 form(QStringLiteral("/nonexistent"));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QList<UpDown *> selectors = {form.UpDown1, form.UpDown2, form.UpDown3};
        const QList<QLabel *> labels = {form.Label1, form.Label2, form.Label3};
        form.Combo1->setFocus();
        if (value == 1)
            selectors[selector - 1]->setValue(2);
        selectors[selector - 1]->setValue(value);
        QCOMPARE(labels[selector - 1]->text(), caption);
        QCOMPARE(form.session().MaxSamples, maxSamples);
        QCOMPARE(form.focusWidget(), form.Command2);
    }

    void typedSpanTakesEffectAtTheNextScaling()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        form.Combo1->setEditText(QStringLiteral("  12x"));
        QCOMPARE(form.session().MaxSamples, 60);
        form.UpDown1->setValue(2);
        QCOMPARE(form.session().MaxSamples, 720);
        form.Combo1->setEditText(QStringLiteral("99999"));
        form.Combo1_Click();
        QCOMPARE(form.session().MaxSamples, 32767);
        form.Combo1->setEditText(QStringLiteral("abc"));
        form.Combo1_Click();
        QCOMPARE(form.session().MaxSamples, 1);
    }

    // A typed span that equals a list item waits for the next scaling, however the edit ends.
    void typedSpanRunsNothing_data()
    {
        QTest::addColumn<int>("finish");
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("click on the chart") << 0;
    }

    void typedSpanRunsNothing()
    {
        QFETCH(int, finish);
        Form1 form(QStringLiteral("/nonexistent"));
        showActive(form);
        form.Combo1->setFocus();
        form.Combo1->clearEditText();
        QTest::keyClicks(form.Combo1, "12");
        if (finish)
            QTest::keyClick(form.Combo1, Qt::Key(finish));
        else
            QTest::mouseClick(form.Picture1, Qt::LeftButton);
        QCOMPARE(form.session().MaxSamples, 60);
        QCOMPARE(form.Combo1->count(), 24);
        if (finish != Qt::Key_Return)
            QCOMPARE(form.focusWidget(), form.Picture1);
        form.UpDown1->setValue(2);
        QCOMPARE(form.session().MaxSamples, 720);
    }

    void pickedSpanRescales_data()
    {
        QTest::addColumn<int>("pick");
        QTest::newRow("click in the list") << 0;
        QTest::newRow("Down key") << 1;
        QTest::newRow("wheel") << 2;
    }

    void pickedSpanRescales()
    {
        QFETCH(int, pick);
        Form1 form(QStringLiteral("/nonexistent"));
        showActive(form);
        SpanBox *box = form.Combo1;
        QAbstractItemView *list = box->view();
        const QModelIndex twelve = box->model()->index(11, 0);
        if (pick == 0) {
            box->showPopup();
            list->scrollTo(twelve);
            QVERIFY(list->viewport()->width() >= list->sizeHintForIndex(twelve).width());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(twelve).center());
        } else if (pick == 1) {
            QTest::keyClick(box, Qt::Key_Down);
        } else {
            QWheelEvent wheel({10, 10}, box->mapToGlobal(QPointF(10, 10)), {}, {0, -120},
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
        }
        QCOMPARE(form.session().MaxSamples, pick == 0 ? 720 : 120);
        QCOMPARE(form.focusWidget(), form.Command2);
    }

    // The text field sits on the style's edit field; "24" shows whole, enabled and disabled.
    void spanBoxShowsBothDigits()
    {
        Form1 form(QStringLiteral("/nonexistent"));
        showActive(form);
        const QRect field = form.Combo1->lineEdit()->geometry();
        const QFontMetrics metrics = form.Combo1->fontMetrics();
        form.Combo1->setEditText("24");
        QVERIFY(field.width() >= metrics.horizontalAdvance("24"));
        for (const bool enabled : {true, false}) {
            form.Combo1->setEnabled(enabled);
            const QColor text = form.Combo1->palette().color(
                enabled ? QPalette::Active : QPalette::Disabled, QPalette::Text);
            QVERIFY(inkWidth(form.Combo1->grab(field).toImage(), text) >=
                    metrics.tightBoundingRect("24").width() - 3);
        }
    }

    void noLoggingBoxHasItsTextAndOKOnly()
    {
        ScriptedInstrument instrument;
        Form1 form;
        form.MSComm1.setLine(instrument.hostEnd());
        form.Command1_Click();
        QStringList seen;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen << box->windowTitle() << box->text() << QString::number(box->standardButtons())
                     << QString::number(box->icon());
                box->accept();
            }
        });
        watch.start(10);
        instrument.send("L0M");
        QVERIFY(waitUntil([&] { return !seen.isEmpty(); }));
        QCOMPARE(seen, QStringList({"Tarnwick", "NO Logging ?!", QString::number(QMessageBox::Ok),
                                    QString::number(QMessageBox::NoIcon)}));
    }

    // The time of a reading shows whole in the 94-pixel label, hours, minutes and seconds.
    void timeCaptionFitsTheLabel_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("morning");

        QTest::newRow("ja_JP") << QLocale("ja_JP") << "9:16:30";
        QTest::newRow("en_US") << QLocale("en_US") << "9:16:30";
        QTest::newRow("de_DE") << QLocale("de_DE") << "09:16:30";
        QTest::newRow("zh_CN") << QLocale("zh_CN") << "09:16:30";
        QTest::newRow("ko_KR") << QLocale("ko_KR") << "9:16:30";
        QTest::newRow("C") << QLocale::c() << "09:16:30";
    }

    void timeCaptionFitsTheLabel()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, morning);
        Form1 form(QStringLiteral("/nonexistent"));
        const QFontMetrics metrics = form.Label4->fontMetrics();
        const int width = form.Label4->width();
        const QString format = labelTimeFormat(locale, metrics, width);
        QCOMPARE(locale.toString(QTime(9, 16, 30), format), morning);
        for (int hour = 0; hour < 24; ++hour) {
            const QTime time(hour, 59, 59);
            const QString text = locale.toString(time, format);
            QCOMPARE(locale.toTime(text, format), time);
            QVERIFY2(metrics.horizontalAdvance(caption::TimePrefix + text) <= width,
                     qPrintable(text));
        }
    }

    // A reading's caption comes back from the picture kept of it: pixel for pixel what a
    // plain label draws there, the first time and every time after.
    void readingCaptionsLookAsPlainLabelsDrawThem()
    {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QLabel plain(&form);
        plain.setTextFormat(Qt::PlainText);
        plain.setGeometry(form.Label6->geometry());
        plain.setAlignment(form.Label6->alignment());
        const auto drawn = [&](QLabel *shown, QLabel *hidden, const QString &text) {
            hidden->hide();
            shown->show();
            shown->setText(text);
            return form.grab(shown->geometry()).toImage();
        };
        for (const QString &text :
             QStringList{"湿度 ： 60.1 %RH", "湿度 ： 100 %RH", "湿度 ： 60.1 %RH"})
            QCOMPARE(drawn(form.Label6, &plain, text), drawn(&plain, form.Label6, text));
    }

    void readingsReachTheLabelsAndTheChart()
    {
        ScriptedInstrument instrument;
        Form1 form;
        form.MSComm1.setLine(instrument.hostEnd());
        form.Command1_Click();
        instrument.send("T25.3\r\nH60.1\r\nT\xBA"
                        "0.0\r\nH50.0\r\n");
        QVERIFY(waitUntil([&] { return form.Label6->text() == QStringLiteral("湿度 ： 50 %RH"); }));
        QCOMPARE(form.Label5->text(), QStringLiteral("温度 ： -10 ℃"));
        QVERIFY(form.Label4->text().startsWith(QStringLiteral("時間 ： ")));
        QVERIFY(form.Label7->text().startsWith(QStringLiteral("時間 ： ")));
        const QImage &chart = form.Picture1->image();
        QCOMPARE(chart.pixelColor(50, 217), QBColor(12)); // 25.3 at y 217.1, the first stub
        QCOMPARE(form.session().SampleCount, 2);
        QCOMPARE(chart.pixelColor(58, 315), QBColor(12)); // -10 at the second sample, x 57.5
        QCOMPARE(chart.pixelColor(58, 149), QBColor(9));  // humidity 50 at y 148.6
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
