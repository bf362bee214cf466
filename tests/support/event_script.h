#pragma once

#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>

// Steps a test takes while the program waits inside one of its handlers: each runs from
// the event loop once its condition holds, in order. An action runs on a timer of its own,
// so one that waits in turn (a nested Stop) does not hold the next steps back.
class EventScript : public QObject {
public:
    EventScript();

    void add(std::function<bool()> ready, std::function<void()> action);
    void add(std::function<void()> action);
    void start();
    bool finished() const { return next_ >= steps_.size(); }
    // The steps taken so far, for a failure message.
    qsizetype stepsTaken() const { return next_; }

private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> action;
    };

    void poll();

    QList<Step> steps_;
    qsizetype next_ = 0;
    QTimer poller_;
};
