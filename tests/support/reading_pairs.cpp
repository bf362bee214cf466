#include "reading_pairs.h"

#include "desk.h"
#include "emulator/wire_encoding.h"
#include "wait.h"

bool sendReadings(ScriptedDesk &desk, const QList<ReadingPair> &pairs)
{
    QByteArray bytes;
    for (const ReadingPair &pair : pairs) {
        bytes += wire::temperatureReading(pair.temperature);
        if (pair.humidity)
            bytes += wire::humidityReading(*pair.humidity);
    }
    const std::size_t expected = desk.form.readings.samples().size() + std::size_t(pairs.size());
    desk.instrument.send(bytes);
    return waitUntil([&] { return desk.form.readings.samples().size() == expected; });
}

bool sendReadingsApart(ScriptedDesk &desk, const QList<ReadingPair> &pairs)
{
    const std::vector<Sample> &samples = desk.form.readings.samples();
    for (const ReadingPair &pair : pairs) {
        if (!samples.empty() &&
            !waitUntil([&] { return QDateTime::currentDateTime() > samples.back().time; }))
            return false;
        if (!sendReadings(desk, {pair}))
            return false;
    }
    return true;
}
