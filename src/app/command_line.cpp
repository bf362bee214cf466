#include "app/command_line.h"
#include "app/qt_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// The built-in instrument runs a minute of its time in a second, so a demo shows its
// traces at once, and it starts with a day of logged readings for Receive to fetch.
constexpr double DemoSpeed = 60;
constexpr int DemoLogged = 144;

[[noreturn]] void usageError(const QString &message)
{
    std::fprintf(stderr, "tarnwick: %s\nTry 'tarnwick --help'.\n", qPrintable(message));
    std::exit(UsageError);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Front end of the temperature and humidity instrument on a serial line.\n"
        "With --simulate it runs against a built-in instrument on a pseudo-terminal; the\n"
        "instrument options below apply only then (by default it runs 60 times as fast\n"
        "as the real one and holds a day of logged readings).\n"
        "Qt's own options (-platform, -style, -display ...) are accepted too."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("The instrument's serial device, such as /dev/ttyUSB0, ttyUSB0 or a "
                       "pseudo-terminal /dev/pts/N (default: the only USB serial adapter, else "
                       "the first serial port; see --list-ports)."),
        QStringLiteral("DEVICE"));
    const QCommandLineOption listPorts(
        QStringLiteral("list-ports"),
        QStringLiteral("List the serial ports present, mark the one used without --port, "
                       "and exit."));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Talk to a built-in instrument emulator instead of a serial port."));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Append every reading to the CSV file FILE as it is shown."),
        QStringLiteral("FILE"));
    parser.addOption(port);
    parser.addOption(listPorts);
    parser.addOption(simulate);
    parser.addOption(record);
    addEmulatorOptions(parser);

    const QStringList ownArguments = withoutQtOptions(arguments);
    if (!parser.parse(ownArguments))
        usageError(parser.errorText());
    if (parser.isSet(help))
        parser.showHelp(0);
    // Only process() lists Qt's options; it prints them and exits, as the arguments parse.
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(ownArguments);
    if (parser.isSet(version))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument \"%1\"")
                       .arg(parser.positionalArguments().constFirst()));

    CommandLine line;
    line.port = parser.value(port);
    line.listPorts = parser.isSet(listPorts);
    line.simulate = parser.isSet(simulate);
    line.record = parser.value(record);
    if (parser.isSet(record) && line.record.isEmpty())
        usageError(QStringLiteral("--record needs a file name"));
    if (!line.simulate) {
        const QStringList withoutSimulate = {
            port.names().constFirst(), listPorts.names().constFirst(), record.names().constFirst()};
        for (const QString &name : parser.optionNames()) {
            if (!withoutSimulate.contains(name))
                usageError(QStringLiteral("--%1 needs --simulate").arg(name));
        }
        return line;
    }
    if (parser.isSet(port))
        usageError(QStringLiteral("--port and --simulate exclude each other"));
    QString error;
    const std::optional<EmulatorOptions> emulator = emulatorOptions(parser, &error);
    if (!emulator)
        usageError(error);
    line.emulator = *emulator;
    if (!parser.isSet(QStringLiteral("speed")))
        line.emulator.speed = DemoSpeed;
    if (!parser.isSet(QStringLiteral("logged")))
        line.emulator.logged = DemoLogged;
    return line;
}
