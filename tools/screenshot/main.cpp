#include "emulator/instrument_emulator.h"
#include "window/main_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

// Draws the window during a simulated run and saves it as a picture, for the documentation:
// tarnwick-screenshot FILE.png [SAMPLES]
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: tarnwick-screenshot FILE.png [SAMPLES]\n");
        return 2;
    }
    const int samples = arguments.size() > 2 ? arguments.at(2).toInt() : 40;

    EmulatorOptions options;
    options.speed = 60000;
    InstrumentEmulator instrument(options);
    Form1 window;
#ifdef Q_OS_WIN
    if (!instrument.openInProcess())
        return 1;
    window.MSComm1.setLine(instrument.hostLine(), instrument.devicePath());
#else
    if (!instrument.openPseudoTerminal())
        return 1;
    window.MSComm1.setDeviceName(instrument.devicePath());
#endif
    window.setProgramEnd([] {});
    window.show();
    window.Command1->click();

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (window.session().SampleCount >= samples)
            app.quit();
    });
    poll.start(5);
    QTimer::singleShot(20000, &app, [] { QApplication::exit(1); });
    if (QApplication::exec() != 0)
        return 1;
    return window.grab().save(arguments.at(1)) ? 0 : 1;
}
