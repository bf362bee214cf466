#include "window/main_window.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarnwick"));
    QApplication::setApplicationVersion(QStringLiteral(TARNWICK_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Front end of the temperature and humidity instrument on a serial line."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Serial device of the instrument (default: the first serial port, "
                       "/dev/ttyS0). Any device path works, a USB adapter such as /dev/ttyUSB0 "
                       "or a pseudo-terminal such as /dev/pts/3."),
        QStringLiteral("DEVICE"));
    parser.addOption(port);
    parser.process(app);

    Form1 window(parser.value(port));
    window.show();
    return app.exec();
}
