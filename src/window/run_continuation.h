#pragma once

#include "serial/port_watch.h"

#include <QObject>

class Form1;
class NestedHandler;
struct SessionState;

// A run that outlives its device going away: while the run holds the run lock and no Stop
// is ending it, the port is opened again when the same device is back. A live run then gets
// its Measure command once more, so that an instrument that lost power measures again, and
// the chart, SampleCount and the recording go on; a memory run gets nothing, since a new
// Measure would clear the instrument's log. The run's readings note the loss and the return.
// The title says the connection was lost (the
// port's notice), then briefly that it is back.
class RunContinuation : public QObject {
    Q_OBJECT

public:
    static constexpr int ReconnectedNoticeMs = 10000;

    RunContinuation(Form1 &form, SessionState &session, const NestedHandler &stops);

    const PortWatch &watch() const { return watch_; }

private:
    bool runGoesOn() const;
    void onLost();
    void onReopened();

    Form1 &form_;
    SessionState &session_;
    const NestedHandler &stops_;
    PortWatch watch_;
};
