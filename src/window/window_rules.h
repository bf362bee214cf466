#pragma once

#include "device/session_state.h"

#include <QString>
#include <functional>

// The rules by which the window's handlers run inside one another while it waits, and
// the chart scaling its selectors rerun. The fuzz target's stand-in window keeps the
// same rules by using these.

// One kind of handler that may run inside itself, up to a depth.
class NestedHandler {
public:
    explicit NestedHandler(int mostNested) : mostNested_(mostNested) {}

    int mostNested() const { return mostNested_; }

    // One level of the handler, held while it lives; not entered when the handler already
    // runs as deep as it may.
    class Level {
    public:
        explicit Level(NestedHandler &handler);
        ~Level();
        Level(const Level &) = delete;
        Level &operator=(const Level &) = delete;

        bool entered() const { return entered_; }

    private:
        NestedHandler &handler_;
        bool entered_;
    };

private:
    int mostNested_;
    int depth_ = 0;
};

struct WindowNesting {
    // A yield dispatches the receive notification of bytes that arrived meanwhile, whose
    // ACK yields again: a flood in small pieces would nest without end. Past four levels
    // the yield is left out; the bytes wait for the outer event loop.
    NestedHandler yields{4};
    // While an auto-stop waits, every line end received calls Stop again, nested. Past
    // eight waiting Stops a further one only sends its "S"; the waiting ones end on the
    // acknowledgement and close the port.
    NestedHandler stops{8};
    // A stream of empty logging reports would otherwise stack one "NO Logging ?!" box on
    // another.
    NestedHandler messageBoxes{1};
};

namespace caption {
// What Stop and Receive clear the status line to, and how a new chart starts it.
inline const QString StatusPrefix = QStringLiteral("開始 ： ");
} // namespace caption

// Stop's steps, taken by the window on its controls and its port, and by the fuzz target's
// stand-in on what it keeps of them.
struct StopSteps {
    std::function<void()> clearStatus;
    std::function<void()> yield;
    std::function<void()> sendStop;
    std::function<void()> waitForAcknowledgement;
    std::function<void()> endRun; // the port closed, the run's controls unlocked
};

// Stop: the status line cleared, then a yield, "S" and the wait for the acknowledgement,
// which ends the run; past the Stops that may wait, only "S" goes out.
void runStop(NestedHandler &stops, const StopSteps &steps);

// Stop and Receive wait until the status line reads "開始 ： OK !"; no other text ends it.
bool waitIsOver(const QString &statusLine);

// Sets MaxSamples and XStep from the chart span's text and the interval selectors, as
// the span's click and every selector change do.
void applyChartScale(SessionState &session, const QString &spanText, int count, int unit);
