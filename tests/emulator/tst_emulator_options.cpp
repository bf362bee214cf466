#include "emulator/emulator_options.h"

#include <QCommandLineParser>
#include <QTest>

namespace {

std::optional<EmulatorOptions> parse(const QStringList &arguments, QString *error = nullptr)
{
    QCommandLineParser parser;
    addEmulatorOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("emulator")} + arguments))
        return std::nullopt;
    return emulatorOptions(parser, error);
}

} // namespace

class TestEmulatorOptions : public QObject {
    Q_OBJECT

private slots:
    void defaults()
    {
        const auto options = parse({});
        QVERIFY(options);
        QCOMPARE(options->scenario.kind, ClimateScenario::Kind::Room);
        QCOMPARE(options->speed, 1.0);
        QCOMPARE(options->logInterval, 10);
        QCOMPARE(options->logUnit, protocol::Unit::Minutes);
        QVERIFY(!options->line.dropAfter);
        QVERIFY(options->device.isEmpty());
    }

    void values()
    {
        const auto options = parse({"--log-interval", "2H", "--scenario", "fixed:-5.5,40",
                                    "--drop-after", "0", "--seed", "4294967295"});
        QVERIFY(options);
        QCOMPARE(options->logInterval, 2);
        QCOMPARE(options->logUnit, protocol::Unit::Hours);
        QCOMPARE(options->scenario.kind, ClimateScenario::Kind::Fixed);
        QCOMPARE(options->scenario.temperature, -5.5);
        QCOMPARE(options->scenario.humidity, 40.0);
        QCOMPARE(options->line.dropAfter, 0);
        QCOMPARE(options->seed, 4294967295u);
    }

    void unusableValues_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");

        QTest::newRow("speed zero") << QStringList{"--speed", "0"} << "--speed";
        QTest::newRow("speed a word") << QStringList{"--speed", "fast"} << "--speed";
        QTest::newRow("noise above one") << QStringList{"--noise", "1.5"} << "--noise";
        QTest::newRow("interval zero") << QStringList{"--log-interval", "0M"} << "--log-interval";
        QTest::newRow("interval unit") << QStringList{"--log-interval", "5X"} << "--log-interval";
        QTest::newRow("interval too long")
            << QStringList{"--log-interval", "100"} << "--log-interval";
        QTest::newRow("no such scenario") << QStringList{"--scenario", "warm"} << "--scenario";
        QTest::newRow("fixed needs two values")
            << QStringList{"--scenario", "fixed:1"} << "--scenario";
        QTest::newRow("fixed needs numbers")
            << QStringList{"--scenario", "fixed:a,b"} << "--scenario";
        QTest::newRow("memory overflows") << QStringList{"--logged", "32768"} << "--logged";
        QTest::newRow("negative drop") << QStringList{"--drop-after", "-1"} << "--drop-after";
        QTest::newRow("seed too big") << QStringList{"--seed", "4294967296"} << "--seed";
    }

    void unusableValues()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        QString error;
        QVERIFY(!parse(arguments, &error));
        QVERIFY2(error.startsWith(named), qPrintable(error));
    }
};

QTEST_APPLESS_MAIN(TestEmulatorOptions)
#include "tst_emulator_options.moc"
