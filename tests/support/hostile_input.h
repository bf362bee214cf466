#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Streams a hostile instrument sends, shared by the Linux robustness tests and the COM-port
// test under Wine.
QByteArray randomBytes(qsizetype size, unsigned seed);
QList<QByteArray> repeated(const QList<QByteArray> &pieces, int times);

// By name: "random" (1 MiB of random bytes in random pieces), "acks" (2000 pairs of the
// acknowledgement) and "empty-reports" (2000 logging reports of nothing logged, "L0M"); with
// a share below 1, that part of its length.
QList<QByteArray> hostileInput(const QString &name, double share = 1);
