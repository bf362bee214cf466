#pragma once

#include <QDateTime>
#include <QString>
#include <cstddef>

// The line to the instrument went away during a run, or came back: where readings are
// missing from a run, and why.
struct LinkNote {
    enum class Event { Lost, Restored };

    QDateTime time;
    Event event = Event::Lost;
    QString reason;                // the system's words, for a loss
    std::size_t samplesBefore = 0; // how many samples the run held then
};
