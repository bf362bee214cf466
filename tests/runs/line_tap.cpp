#include "line_tap.h"

LineTap::LineTap()
    : instrumentReadable_(instrumentSide_.masterFd(), QSocketNotifier::Read),
      windowReadable_(windowSide_.masterFd(), QSocketNotifier::Read)
{
    QObject::connect(&instrumentReadable_, &QSocketNotifier::activated, [this] {
        const QByteArray bytes = instrumentSide_.readAvailable();
        fromInstrument_ += bytes;
        windowSide_.write(bytes);
    });
    QObject::connect(&windowReadable_, &QSocketNotifier::activated, [this] {
        const QByteArray bytes = windowSide_.readAvailable();
        fromWindow_ += bytes;
        instrumentSide_.write(bytes);
    });
}
