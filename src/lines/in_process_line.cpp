#include "lines/in_process_line.h"

#include <QMetaObject>
#include <algorithm>
#include <cstring>

bool InProcessEnd::open(OpenMode mode)
{
    if (isOpen() || (!opensAlone_ && !peer_->isOpen())) {
        setErrorString(QStringLiteral("no instrument on the line"));
        return false;
    }
    if (!QIODevice::open(mode | Unbuffered))
        return false;
    if (!waiting_.isEmpty())
        deliver({});
    return true;
}

void InProcessEnd::close()
{
    if (!isOpen())
        return;
    QIODevice::close();
    if (peer_->isOpen())
        emit peer_->readChannelFinished();
}

qint64 InProcessEnd::bytesAvailable() const
{
    return waiting_.size() + QIODevice::bytesAvailable();
}

qint64 InProcessEnd::readData(char *data, qint64 maxSize)
{
    const qint64 n = std::min<qint64>(maxSize, waiting_.size());
    std::memcpy(data, waiting_.constData(), size_t(n));
    waiting_.remove(0, n);
    return n;
}

qint64 InProcessEnd::writeData(const char *data, qint64 size)
{
    peer_->deliver(QByteArray(data, size));
    emit bytesWritten(size);
    return size;
}

void InProcessEnd::deliver(const QByteArray &bytes)
{
    waiting_ += bytes;
    if (announcing_ || !isOpen())
        return;
    announcing_ = true;
    QMetaObject::invokeMethod(this, &InProcessEnd::announce, Qt::QueuedConnection);
}

// One readyRead for everything that arrived since the last one, from the event loop.
void InProcessEnd::announce()
{
    announcing_ = false;
    if (isOpen() && !waiting_.isEmpty())
        emit readyRead();
}

InProcessLine::InProcessLine()
{
    host_.peer_ = &device_;
    device_.peer_ = &host_;
    host_.opensAlone_ = false;
}
