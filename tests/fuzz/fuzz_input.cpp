#include "fuzz_input.h"

namespace {

constexpr int HeaderBytes = 3;

QList<QByteArray> cut(const QByteArray &stream, const QByteArray &lengths)
{
    QList<QByteArray> deliveries;
    qsizetype at = 0;
    for (qsizetype turn = 0; at < stream.size(); ++turn) {
        const int length = quint8(lengths[turn % lengths.size()]);
        const qsizetype size = length == 0 ? stream.size() - at : length;
        deliveries << stream.mid(at, size);
        at += size;
    }
    return deliveries;
}

} // namespace

const QList<QString> &spanTexts()
{
    static const QList<QString> texts = {
        QStringLiteral("1"),     QStringLiteral("24"),   QStringLiteral(""),
        QStringLiteral("abc"),   QStringLiteral("-5"),   QStringLiteral("0"),
        QStringLiteral("99999"), QStringLiteral("1e9"),  QStringLiteral("  12x"),
        QString(1000, u'9'),     QStringLiteral("1e-9"), QStringLiteral("nan"),
        QStringLiteral("inf"),   QStringLiteral("0.5"),  QStringLiteral("1e400"),
        QStringLiteral("12"),
    };
    return texts;
}

FuzzRun readFuzzRun(const QByteArray &input)
{
    FuzzRun run;
    if (input.size() < HeaderBytes)
        return run;
    const quint8 setup = quint8(input[0]);
    run.spanText = spanTexts()[setup & 0x0F];
    run.unit = setup & 0x10 ? 2 : 1;
    run.nested = setup & 0x20;
    run.countNearItsEnd = setup & 0x40;
    run.fullChart = setup & 0x80;
    run.interval = 1 + quint8(input[1]) % 30;
    const int lengthCount = 1 + quint8(input[2]) % 8;
    const QByteArray lengths = input.mid(HeaderBytes, lengthCount);
    if (lengths.isEmpty())
        return run;
    run.deliveries = cut(input.mid(HeaderBytes + lengthCount), lengths);
    return run;
}
