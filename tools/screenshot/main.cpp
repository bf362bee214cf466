#include "emulator/instrument_emulator.h"
#include "window/main_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

// Draws the window during a simulated run and saves it as a picture, for the documentation
// and for comparing one platform's chart with another's:
// tarnwick-screenshot FILE.png [SAMPLES [SPEED]]
// The run's readings depend only on their number; at a SPEED slow enough for no reading to
// come between the last one counted and the picture, the picture does too.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: tarnwick-screenshot FILE.png [SAMPLES [SPEED]]\n");
        return 2;
    }
    const int samples = arguments.size() > 2 ? arguments.at(2).toInt() : 40;

    EmulatorOptions options;
    options.speed = arguments.size() > 3 ? arguments.at(3).toDouble() : 60000;
    InstrumentEmulator instrument(options);
    Form1 window;
    if (!instrument.openForThisProgram())
        return 1;
    window.MSComm1.setLine(instrument.hostEnd());
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
