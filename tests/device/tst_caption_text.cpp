#include "device/caption_text.h"
#include "window/clock_text.h"

#include <QTest>
#include <clocale>

class TestCaptionText : public QObject {
    Q_OBJECT

private slots:
    void readingText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");

        QTest::newRow("tenths") << 25.3f << "25.3";
        QTest::newRow("whole") << 100.0f << "100";
        QTest::newRow("negative") << -5.5f << "-5.5";
        QTest::newRow("below one") << 0.5f << "0.5";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("seven digits") << 12345.67f << "12345.67";
        QTest::newRow("eight digits round") << 123456.78f << "123456.8";
        QTest::newRow("large") << 1e30f << "1E+30";
        QTest::newRow("minus zero") << -0.0f << "0";
        QTest::newRow("below a tenth") << 0.05f << "0.05";
        QTest::newRow("small") << 1e-5f << "1E-05";
        QTest::newRow("negative tenths") << -15.2f << "-15.2";
        QTest::newRow("rounds into the next decade") << 99999.95f << "99999.95";
        QTest::newRow("largest six-digit tenths") << 999999.9f << "999999.9";
        QTest::newRow("seven digits, whole") << 1234567.0f << "1234567";
    }

    void readingText()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(caption::readingText(value), text);
    }

    // Readings of whole tenths take a shorter way to their text than other values.
    void readingTextAgreesWithGeneralFormatting()
    {
        for (int tenths = -200000; tenths <= 200000; tenths += 7) {
            for (const float value : {tenths / 10.0f, tenths / 1000.0f, tenths * 7.0f}) {
                const QString general = QString::number(double(value), 'g', 7).toUpper();
                QCOMPARE(caption::readingText(value), general);
            }
        }
    }

    void readingCaptionJoinsPrefixReadingAndUnit()
    {
        QCOMPARE(
            caption::readingCaption(caption::TemperaturePrefix, -5.5f, caption::TemperatureUnit),
            QStringLiteral("温度 ： -5.5 ℃"));
    }

    void clockTextIsTheTimeNow()
    {
        const QLocale system = QLocale::system();
        caption::ClockText clock(caption::longTimeFormat(system));
        const QString before = caption::timeText(QTime::currentTime(), system);
        const QString now = clock.now();
        const QString after = caption::timeText(QTime::currentTime(), system);
        QVERIFY2(now == before || now == after, qPrintable(now));
    }

    void readingTextIgnoresTheNumericLocale()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German));
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        QCOMPARE(caption::readingText(25.3f), QStringLiteral("25.3"));
        std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(previous);
    }

    void timeTextHasNoZone_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");

        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                                 << "2:05:09 PM";
        QTest::newRow("Japanese") << QLocale(QLocale::Japanese) << "14時05分09秒";
        QTest::newRow("German") << QLocale(QLocale::German) << "14:05:09";
    }

    void timeTextHasNoZone()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(caption::timeText(QTime(14, 5, 9), locale), text);
    }

    void prefixesUseTheFullWidthColonBetweenBlanks()
    {
        for (const QString &prefix : {caption::TimePrefix, caption::TemperaturePrefix,
                                      caption::HumidityPrefix, caption::StatusPrefix}) {
            QCOMPARE(prefix.size(), 5);
            QCOMPARE(prefix.mid(2), QStringLiteral(" \uFF1A "));
        }
    }
};

QTEST_APPLESS_MAIN(TestCaptionText)
#include "tst_caption_text.moc"
