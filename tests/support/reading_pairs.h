#pragma once

#include <QList>
#include <optional>

class ScriptedDesk;

// A temperature and the humidity that completes its sample, unless it never comes.
struct ReadingPair {
    double temperature;
    std::optional<double> humidity;
};

// Sends the pairs as the instrument does during a run, and waits until the window's run
// holds a sample for each.
bool sendReadings(ScriptedDesk &desk, const QList<ReadingPair> &pairs);

// The same, one sample at a time, each in a millisecond of its own, so that their times tell
// them apart.
bool sendReadingsApart(ScriptedDesk &desk, const QList<ReadingPair> &pairs);
