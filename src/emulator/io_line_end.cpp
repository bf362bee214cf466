#include "emulator/io_line_end.h"

#include <QIODevice>

IoLineEnd::IoLineEnd(QIODevice *device, QObject *parent) : LineEnd(parent), device_(device)
{
    connect(device_, &QIODevice::readyRead, this, &LineEnd::readable);
}

qint64 IoLineEnd::write(const char *data, qint64 size)
{
    return device_->isOpen() ? device_->write(data, size) : -1;
}

LineEnd::Reading IoLineEnd::readWaiting()
{
    if (!device_->isOpen())
        return {{}, true};
    return {device_->readAll(), hungUp_};
}

void IoLineEnd::close()
{
    device_->disconnect(this);
    device_->close();
}

void IoLineEnd::hangUp()
{
    hungUp_ = true;
    emit readable();
}
