#include "hostile_input.h"

#include "piece_feeder.h"

#include <random>

QByteArray randomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random() & 0xFF);
    return bytes;
}

QList<QByteArray> repeated(const QList<QByteArray> &pieces, int times)
{
    QList<QByteArray> all;
    for (int i = 0; i < times; ++i)
        all += pieces;
    return all;
}

QList<QByteArray> hostileInput(const QString &name, double share)
{
    const auto part = [share](int full) { return qMax(1, int(full * share)); };
    if (name == u"random")
        return randomPieces(randomBytes(part(1 << 20), 1), 4096, 2);
    if (name == u"acks")
        return repeated({"\x06\x06"}, part(2000));
    if (name == u"empty-reports")
        return repeated({"L0M"}, part(2000));
    qFatal("no hostile input named %s", qPrintable(name));
}
