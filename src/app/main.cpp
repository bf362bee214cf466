#include "app/command_line.h"
#include "app/parent_console.h"
#include "emulator/instrument_emulator.h"
#include "record/reading_recorder.h"
#include "serial/port_listing.h"
#include "serial/present_ports.h"
#include "window/main_window.h"

#include <QApplication>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

int listPorts()
{
    const QString listing = portListing(presentSerialPorts());
    if (listing.isEmpty())
        std::fprintf(stderr, "tarnwick: no serial port found\n");
    std::fputs(qPrintable(listing), stdout);
    return 0;
}

// Empty when no port is present: the link then falls back to the first serial port.
QString defaultDevice()
{
    const QList<PortDescription> ports = presentSerialPorts();
    const PortDescription *port = defaultPort(ports);
    return port ? openingPath(*port) : QString();
}

} // namespace

int main(int argc, char *argv[])
{
    useParentConsole();
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
    if (commandLine.listPorts)
        return listPorts();

    // A recording that cannot be kept is refused before the operator starts a run.
    ReadingRecorder recorder;
    if (!commandLine.record.isEmpty() && !recorder.open(commandLine.record)) {
        std::fprintf(stderr, "tarnwick: cannot record to %s: %s\n", qPrintable(commandLine.record),
                     qPrintable(recorder.errorString()));
        return UsageError;
    }

    QApplication app(argc, argv);
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
    if (emulator)
        window.MSComm1.setLine(emulator->hostEnd());
    if (recorder.isOpen()) {
        QObject::connect(&window, &Form1::readingCompleted, &window,
                         [&recorder](Trace trace, float value, std::int32_t sample) {
                             recorder.record(trace, value, sample, QDateTime::currentDateTime());
                         });
    }
    if (emulator)
        window.setWindowTitle(window.windowTitle() + QStringLiteral(" [シミュレーション]"));
    window.show();
    return app.exec();
}
