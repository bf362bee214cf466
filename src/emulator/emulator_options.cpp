#include "emulator/emulator_options.h"

#include "emulator/command_reader.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

const QString Scenario = QStringLiteral("scenario");
const QString Seed = QStringLiteral("seed");
const QString Speed = QStringLiteral("speed");
const QString Pace = QStringLiteral("pace");
const QString Logged = QStringLiteral("logged");
const QString LogInterval = QStringLiteral("log-interval");
const QString NoAck = QStringLiteral("no-ack");
const QString Noise = QStringLiteral("noise");
const QString Split = QStringLiteral("split");
const QString DropAfter = QStringLiteral("drop-after");
const QString Device = QStringLiteral("device");

// Collects the first unusable value as a message.
class Reader {
public:
    explicit Reader(const QCommandLineParser &parser) : parser_(parser) {}

    bool ok() const { return error_.isEmpty(); }
    QString error() const { return error_; }

    double number(const QString &name, double fallback, double lowest, double highest)
    {
        if (!parser_.isSet(name))
            return fallback;
        bool isNumber = false;
        const double value = parser_.value(name).toDouble(&isNumber);
        if (isNumber && value >= lowest && value <= highest)
            return value;
        fail(name, QStringLiteral("a number from %1 to %2").arg(lowest).arg(highest));
        return fallback;
    }

    qint64 whole(const QString &name, qint64 fallback, qint64 lowest, qint64 highest)
    {
        if (!parser_.isSet(name))
            return fallback;
        bool isNumber = false;
        const qint64 value = parser_.value(name).toLongLong(&isNumber);
        if (isNumber && value >= lowest && value <= highest)
            return value;
        fail(name, QStringLiteral("a whole number from %1 to %2").arg(lowest).arg(highest));
        return fallback;
    }

    void fail(const QString &name, const QString &wanted)
    {
        if (ok())
            error_ =
                QStringLiteral("--%1 takes %2, not \"%3\"").arg(name, wanted, parser_.value(name));
    }

private:
    const QCommandLineParser &parser_;
    QString error_;
};

std::optional<ClimateScenario> scenarioNamed(const QString &name)
{
    using Kind = ClimateScenario::Kind;
    if (name == u"room")
        return ClimateScenario{Kind::Room};
    if (name == u"cold")
        return ClimateScenario{Kind::Cold};
    if (name == u"hot")
        return ClimateScenario{Kind::Hot};
    static const QRegularExpression fixed(QStringLiteral("^fixed:([^,]+),([^,]+)$"));
    const QRegularExpressionMatch match = fixed.match(name);
    bool temperatureOk = false;
    bool humidityOk = false;
    const double temperature = match.captured(1).toDouble(&temperatureOk);
    const double humidity = match.captured(2).toDouble(&humidityOk);
    if (temperatureOk && humidityOk && std::isfinite(temperature) && std::isfinite(humidity))
        return ClimateScenario{Kind::Fixed, temperature, humidity};
    return std::nullopt;
}

void readScenario(const QCommandLineParser &parser, Reader &reader, EmulatorOptions &options)
{
    if (!parser.isSet(Scenario))
        return;
    if (const auto scenario = scenarioNamed(parser.value(Scenario)))
        options.scenario = *scenario;
    else
        reader.fail(Scenario, QStringLiteral("room, cold, hot or fixed:T,H"));
}

void readLogInterval(const QCommandLineParser &parser, Reader &reader, EmulatorOptions &options)
{
    if (!parser.isSet(LogInterval))
        return;
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,2})([MH]?)$"));
    const QRegularExpressionMatch match = form.match(parser.value(LogInterval));
    const int interval = match.captured(1).toInt();
    if (!match.hasMatch() || interval < 1) {
        reader.fail(LogInterval,
                    QStringLiteral("1 to %1 with an optional M or H").arg(LargestInterval));
        return;
    }
    options.logInterval = interval;
    options.logUnit = match.captured(2) == QChar(protocol::HoursLetter) ? protocol::Unit::Hours
                                                                        : protocol::Unit::Minutes;
}

// What --device stands in for: the line given, else the system's own.
QString deviceText(const QString &ownLine)
{
    if (!ownLine.isEmpty())
        return QStringLiteral("Serve this serial device instead of %1.").arg(ownLine);
#ifdef Q_OS_WIN
    return QStringLiteral("The serial device to serve (Windows offers no line of its own).");
#else
    return QStringLiteral("Serve this serial device instead of a new pseudo-terminal.");
#endif
}

} // namespace

void addEmulatorOptions(QCommandLineParser &parser, const EmulatorOptions &defaults,
                        const QString &ownLine)
{
    parser.addOptions({
        {Scenario,
         QStringLiteral("Climate: room (default), cold (below zero, crossing -10), hot "
                        "(above 100), or fixed:T,H for constant values."),
         QStringLiteral("name")},
        {Seed, QStringLiteral("Seed of the drift and noise, so a run can be repeated (default 1)."),
         QStringLiteral("N")},
        {Speed,
         QStringLiteral("One minute of the instrument passes in 1/FACTOR of a minute "
                        "(default %1).")
             .arg(defaults.speed),
         QStringLiteral("FACTOR")},
        {Pace, QStringLiteral("Send no faster than 19200 baud allows.")},
        {Logged,
         QStringLiteral("Start with N reading pairs in memory, as if logged (0 to %1, "
                        "default %2).")
             .arg(MemoryCapacity)
             .arg(defaults.logged),
         QStringLiteral("N")},
        {LogInterval,
         QStringLiteral("Interval of those pairs, 1 to %1 minutes (M) or hours (H) "
                        "(default 10M).")
             .arg(LargestInterval),
         QStringLiteral("N[M|H]")},
        {NoAck, QStringLiteral("Never acknowledge Stop or Transfer.")},
        {Noise, QStringLiteral("Chance (0 to 1) of stray bytes between two messages."),
         QStringLiteral("RATE")},
        {Split, QStringLiteral("Write byte by byte, about 1 ms apart.")},
        {DropAfter, QStringLiteral("Hang up the line after this many bytes written."),
         QStringLiteral("BYTES")},
        {Device, deviceText(ownLine), QStringLiteral("PATH")},
    });
}

std::optional<EmulatorOptions> emulatorOptions(const QCommandLineParser &parser, QString *error,
                                               const EmulatorOptions &defaults)
{
    EmulatorOptions options = defaults;
    Reader reader(parser);
    readScenario(parser, reader, options);
    options.seed = std::uint32_t(reader.whole(Seed, options.seed, 0, 4294967295));
    options.speed = reader.number(Speed, options.speed, 1e-3, 1e6);
    options.logged = int(reader.whole(Logged, options.logged, 0, MemoryCapacity));
    readLogInterval(parser, reader, options);
    options.noAck = parser.isSet(NoAck);
    options.noise = reader.number(Noise, options.noise, 0, 1);
    options.line.pace = parser.isSet(Pace);
    options.line.split = parser.isSet(Split);
    if (parser.isSet(DropAfter))
        options.line.dropAfter = reader.whole(DropAfter, 0, 0, std::numeric_limits<qint64>::max());
    options.device = parser.value(Device);
    if (reader.ok())
        return options;
    if (error)
        *error = reader.error();
    return std::nullopt;
}
