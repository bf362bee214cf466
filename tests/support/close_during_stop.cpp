#include "close_during_stop.h"

#include "desk.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

int closeDuringStopsWait(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString device = qEnvironmentVariable(qPrintable(CloseDuringStopVariable));
    const bool emulated = device == Emulated;
    const auto emulator = emulated ? startEmulator({"--no-ack", "--speed", "6000"}) : nullptr;
    Form1 form(emulated ? QString() : device);
    if (emulated)
        form.MSComm1.setLine(emulator->hostEnd());
    form.show();
    if (emulated) {
        QTimer::singleShot(0, &form, [&] { form.Command1->click(); });
        QTimer::singleShot(100, &form, [&] { form.Command2->click(); });
    } else {
        QTimer::singleShot(0, &form, [&] { form.Command2->click(); });
    }
    QTimer::singleShot(300, &form, [&] { form.close(); });
    app.exec();
    return 3;
}
