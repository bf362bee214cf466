#include "app/command_line.h"
#include "emulator/instrument_emulator.h"
#include "record/reading_recorder.h"
#include "window/main_window.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    // The command line is read before the window system is reached, so --help and
    // usage errors work without a display.
    CommandLine commandLine;
    {
        const QCoreApplication reader(argc, argv);
        commandLine = parseCommandLine(QCoreApplication::arguments());
    }

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
        emulator = std::make_unique<InstrumentEmulator>(commandLine.emulator);
        if (!emulator->open()) {
            std::fprintf(stderr, "tarnwick: cannot start the simulated instrument: %s\n",
                         qPrintable(emulator->errorString()));
            return 1;
        }
        device = emulator->devicePath();
    }

    Form1 window(device);
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
