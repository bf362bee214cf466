#pragma once

// How deep the window's handlers run inside one another while it waits. The fuzz target's
// stand-in window keeps the same limits by using these.

// One kind of handler that may run inside itself, up to a depth.
class NestedHandler {
public:
    explicit NestedHandler(int mostNested) : mostNested_(mostNested) {}

    int mostNested() const { return mostNested_; }
    bool running() const { return depth_ > 0; }

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
