#include "app/answer.h"
#include "app/command_line.h"
#include "app/parent_console.h"
#include "app/report_command.h"
#include "emulator/instrument_emulator.h"
#include "record/reading_recorder.h"
#include "record/recording_reader.h"
#include "serial/port_listing.h"
#include "serial/present_ports.h"
#include "window/continuous_runs.h"
#include "window/main_window.h"
#include "window/operator_menu.h"
#include "window/remembered_choices.h"

#include <QApplication>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

int listPorts()
{
    const QString listing = portListing(presentSerialPorts(), remembered::port());
    if (listing.isEmpty())
        std::fprintf(stderr, "tarnwick: no serial port found\n");
    std::fputs(qPrintable(listing), stdout);
    return 0;
}

// The port chosen last in the window's menu while it is present, else the likely one; empty
// when no port is present: the link then falls back to the first serial port.
QString defaultDevice()
{
    const QList<PortDescription> ports = presentSerialPorts();
    const QString chosen = remembered::port();
    if (!chosen.isEmpty() && isPresent(ports, chosen))
        return chosen;
    const PortDescription *port = defaultPort(ports);
    return port ? openingPath(*port) : QString();
}

} // namespace

int main(int argc, char *argv[])
{
    useParentConsole();
    // The menu's choices live under this name: HKCU\Software\Tarnwick, ~/.config/Tarnwick.
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    // The command line is read before the window system is reached, so --help, --list-ports
    // and usage errors work without a display. The reader gets a copy, since it takes
    // -qmljsdebugger out of what it is given and QApplication needs the whole command line.
    CommandLine commandLine;
    {
        int readerArgc = argc;
        std::vector<char *> readerArgv(argv, argv + argc + 1);
        const QCoreApplication reader(readerArgc, readerArgv.data());
        commandLine = parseCommandLine(QCoreApplication::arguments());
    }
    if (commandLine.answer)
        return giveAnswer(*commandLine.answer, argc, argv);
    if (commandLine.listPorts)
        return listPorts();

    // A recording that cannot be kept is refused before the operator starts a run.
    auto recorder = std::make_unique<ReadingRecorder>();
    if (!commandLine.record.isEmpty() && !recorder->open(commandLine.record))
        return giveAnswer(
            {cannotRecordLine(commandLine.record, recorder->errorString()) + u'\n', UsageError},
            argc, argv);

    // A recording of which nothing can be shown is refused as an unusable file is.
    RecordingFile opened;
    if (!commandLine.open.isEmpty()) {
        opened = readRecording(commandLine.open);
        if (opened.runs.empty() && !opened.error.isEmpty())
            return giveAnswer({cannotOpenLine(commandLine.open, opened.error) + u'\n', UsageError},
                              argc, argv);
    }

    if (!commandLine.report.isEmpty())
        drawWithoutScreen();
    QApplication app(argc, argv);
    if (!commandLine.report.isEmpty())
        return writeRecordingReport(commandLine.open, opened, commandLine.report);
    QGuiApplication::setDesktopFileName(QStringLiteral("tarnwick"));

    QString device = commandLine.port;
    std::unique_ptr<InstrumentEmulator> emulator;
    if (commandLine.simulate) {
        // On a pseudo-terminal, so that the demo runs the serial path a real instrument takes;
        // Windows has none, and there it talks over a line inside the program.
        emulator = std::make_unique<InstrumentEmulator>(commandLine.emulator);
        if (!emulator->openForThisProgram()) {
            std::fprintf(stderr, "tarnwick: cannot start the simulated instrument: %s\n",
                         qPrintable(emulator->errorString()));
            return 1;
        }
        device = emulator->devicePath();
    } else if (device.isEmpty()) {
        device = defaultDevice();
    }

    Form1 window(device);
    if (emulator) {
        window.MSComm1.setLine(emulator->hostEnd());
        window.setWindowTitle(window.windowTitle() + QStringLiteral(" [シミュレーション]"));
        window.menu()->fixPort();
    }
    // --record wins for this start and is not remembered; else the menu's last choice goes on.
    if (recorder->isOpen()) {
        window.recording.start(std::move(recorder), commandLine.record);
    } else {
        window.menu()->resumeRememberedRecording();
    }
    if (!commandLine.open.isEmpty())
        window.viewing.show(commandLine.open, std::move(opened));
    // --continuous holds for this start and is not remembered, like --record.
    window.continuous()->setOn(commandLine.continuous || remembered::continuous());
    window.show();
    return app.exec();
}
