#include "app/command_line.h"
#include "app/qt_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// The built-in instrument runs a minute of its time in a second, so a demo shows its
// traces at once, and it starts with a day of logged readings for Receive to fetch.
EmulatorOptions demoInstrument()
{
    EmulatorOptions options;
    options.speed = 60;
    options.logged = 144;
    return options;
}

CommandLine answered(const QString &text, int exitStatus = 0)
{
    CommandLine line;
    line.answer = Answer{text, exitStatus};
    return line;
}

CommandLine usageError(const QString &message)
{
    return answered(QStringLiteral("tarnwick: %1\nTry 'tarnwick --help'.\n").arg(message),
                    UsageError);
}

// The ports and the built-in instrument in this system's own terms.
#ifdef Q_OS_WIN
const char *const SimulationText =
    "With --simulate it runs against a built-in instrument inside the program;";
const char *const OwnLineText = "the line inside the program";
const char *const PortText =
    "The instrument's serial port, such as COM3 or \\\\.\\COM12 (default: the port last chosen "
    "in the window's menu, else the only USB serial adapter, else COM1; see --list-ports).";
const char *const SimulateText =
    "Talk to a built-in instrument emulator inside the program instead of a serial port.";
#else
const char *const SimulationText =
    "With --simulate it runs against a built-in instrument on a pseudo-terminal;";
const char *const OwnLineText = "a new pseudo-terminal";
const char *const PortText =
    "The instrument's serial device, such as /dev/ttyUSB0, ttyUSB0, a stable name under "
    "/dev/serial/by-id/ or a pseudo-terminal /dev/pts/N (default: the port last chosen in the "
    "window's menu, else the only USB serial adapter, else the first serial port; see "
    "--list-ports).";
const char *const SimulateText =
    "Talk to a built-in instrument emulator on a pseudo-terminal instead of a serial port.";
#endif

// The help names the program as it is typed, not by the whole path it was started from.
QString helpText(const QCommandLineParser &parser)
{
    const QString usage = QStringLiteral("Usage: ");
    const QString started = usage + QCoreApplication::arguments().constFirst();
    QString text = parser.helpText();
    if (text.startsWith(started))
        text.replace(0, started.size(), usage + QCoreApplication::applicationName());
    return text;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Front end of the temperature and humidity instrument on a serial line.\n") +
        QString::fromUtf8(SimulationText) +
        QStringLiteral("\nthe instrument options below apply only then.\n"
                       "Qt's own options (-platform, -style, -display ...) are accepted too."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"), QString::fromUtf8(PortText),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption listPorts(
        QStringLiteral("list-ports"),
        QStringLiteral("List the serial ports present, mark the one used without --port, "
                       "and exit."));
    const QCommandLineOption simulate(QStringLiteral("simulate"), QString::fromUtf8(SimulateText));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Append the run on the chart to the CSV file FILE, one row per sample "
                       "(default: the file last chosen in the window's menu)."),
        QStringLiteral("FILE"));
    const QCommandLineOption open(
        QStringLiteral("open"),
        QStringLiteral("Show the recording FILE in the window at start: its last run, as it was "
                       "drawn live. A file of which nothing can be shown is an error."),
        QStringLiteral("FILE"));
    const QCommandLineOption continuous(
        QStringLiteral("continuous"),
        QStringLiteral("When the chart is full, stop as ever, then start a new run with the same "
                       "settings, until Stop is clicked (default: as last chosen in the window's "
                       "menu, else off)."));
    parser.addOption(port);
    parser.addOption(listPorts);
    parser.addOption(continuous);
    parser.addOption(simulate);
    parser.addOption(record);
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("With --open: write the one-page PDF report of the recording's last run "
                       "to FILE and exit, without a window."),
        QStringLiteral("FILE"));
    parser.addOption(open);
    parser.addOption(report);
    addEmulatorOptions(parser, demoInstrument(), QString::fromUtf8(OwnLineText));

    const QStringList ownArguments = withoutQtOptions(arguments);
    if (!parser.parse(ownArguments))
        return usageError(parser.errorText());
    // The parser's own showHelp opens a message box wherever Windows gives no console window,
    // even with its output redirected; so the text is handed back to be said where it is read.
    if (parser.isSet(help))
        return answered(helpText(parser));
    // Only process() lists Qt's options; it prints them and exits, as the arguments parse.
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(ownArguments);
    if (parser.isSet(version))
        return answered(QCoreApplication::applicationName() + u' ' +
                        QCoreApplication::applicationVersion() + u'\n');
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\"")
                              .arg(parser.positionalArguments().constFirst()));

    CommandLine line;
    line.port = parser.value(port);
    line.listPorts = parser.isSet(listPorts);
    line.simulate = parser.isSet(simulate);
    line.record = parser.value(record);
    line.continuous = parser.isSet(continuous);
    if (parser.isSet(record) && line.record.isEmpty())
        return usageError(QStringLiteral("--record needs a file name"));
    line.open = parser.value(open);
    if (parser.isSet(open) && line.open.isEmpty())
        return usageError(QStringLiteral("--open needs a file name"));
    line.report = parser.value(report);
    if (parser.isSet(report) && (line.report.isEmpty() || line.open.isEmpty()))
        return usageError(QStringLiteral("--report needs a file name and --open"));
    // Writing a report shows no window, so nothing would be recorded or measured.
    if (parser.isSet(report) && (parser.isSet(record) || line.simulate || parser.isSet(port)))
        return usageError(QStringLiteral("--report takes no --record, --simulate or --port"));
    if (!line.simulate) {
        const QStringList withoutSimulate = {
            port.names().constFirst(),       listPorts.names().constFirst(),
            record.names().constFirst(),     open.names().constFirst(),
            continuous.names().constFirst(), report.names().constFirst()};
        for (const QString &name : parser.optionNames()) {
            if (!withoutSimulate.contains(name))
                return usageError(QStringLiteral("--%1 needs --simulate").arg(name));
        }
        return line;
    }
    if (parser.isSet(port))
        return usageError(QStringLiteral("--port and --simulate exclude each other"));
    QString error;
    const std::optional<EmulatorOptions> emulator =
        emulatorOptions(parser, &error, demoInstrument());
    if (!emulator)
        return usageError(error);
    line.emulator = *emulator;
    return line;
}
