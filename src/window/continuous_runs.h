#pragma once

#include <QObject>

class Form1;

// Runs that follow one another: when a run ends by itself with a full chart, a new Measure
// with the same settings starts once that Stop has returned, so the recording goes on run
// after run. The operator's Stop ends the chain. Off unless chosen.
class ContinuousRuns : public QObject {
    Q_OBJECT

public:
    explicit ContinuousRuns(Form1 &form);

    void setOn(bool on) { on_ = on; }
    bool isOn() const { return on_; }

    // The window tells of each run's start, of the operator's Stop and of each run's end.
    void runStarted();
    void operatorStopped();
    void runEnded();

private:
    void measureAgain();

    Form1 &form_;
    bool on_ = false;
    bool stoppedByOperator_ = false;
    bool running_ = false;
};
