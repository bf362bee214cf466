#include "emulator/emulator_options.h"
#include "emulator/instrument_emulator.h"
#include "termination_signals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

namespace {

constexpr int UsageError = 2;

void logLine(const QString &text)
{
    const QString stamp = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    std::fprintf(stderr, "%s %s\n", qPrintable(stamp), qPrintable(text));
    std::fflush(stderr);
}

int usageError(const QString &message)
{
    std::fprintf(stderr, "tarnwick-emulator: %s\nTry 'tarnwick-emulator --help'.\n",
                 qPrintable(message));
    return UsageError;
}

// Commands are printable, but a Measure may carry a blank worth seeing.
QString quoted(const QByteArray &command)
{
    return u'"' + QString::fromLatin1(command) + u'"';
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-emulator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays the temperature and humidity instrument on a serial line, so that "
                       "Tarnwick can run without one. Prints the device to connect to, then "
                       "logs each command it receives until it is ended."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    addEmulatorOptions(parser);
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\"")
                              .arg(parser.positionalArguments().constFirst()));
    QString error;
    const auto options = emulatorOptions(parser, &error);
    if (!options)
        return usageError(error);

    InstrumentEmulator emulator(*options);
    QObject::connect(
        &emulator, &InstrumentEmulator::commandReceived,
        [](const QByteArray &command) { logLine(QStringLiteral("received ") + quoted(command)); });
    QObject::connect(&emulator, &InstrumentEmulator::lineClosed,
                     [] { logLine(QStringLiteral("the line is closed")); });
    if (!emulator.open()) {
        std::fprintf(stderr, "tarnwick-emulator: %s\n", qPrintable(emulator.errorString()));
        return 1;
    }
    if (!quitOnTerminationSignals(app))
        logLine(QStringLiteral("SIGINT and SIGTERM will end the program without clean-up"));
    std::printf("Serving the instrument on %s\n", qPrintable(emulator.devicePath()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
