#pragma once

#include "device/receive_decoder.h"
#include "device/session_state.h"
#include "fuzz_input.h"
#include "window/stop_sequence.h"

#include <optional>
#include <tuple>

class PictureBox;

// Form1 as the decoder meets it, with every effect checked as it happens. A delivery
// runs nested wherever the window's event loop would run one: inside the decoder's
// yields, while Stop waits for its acknowledgement and while the "NO Logging ?!" box
// is open. A broken rule ends the process with a message, which the fuzzer reports.
class FuzzWindow : private DecoderWindow {
public:
    FuzzWindow(const FuzzRun &run, PictureBox &picture);

    // Decodes every delivery of the run.
    void play();

private:
    bool deliverNext();
    void checkSession() const;
    void rescale();

    void setCaption(Label label, const QString &caption) override;
    void setUpDown2Value(int value) override;
    void setUpDown3Value(int value) override;
    void PlotTraceSegment(Trace trace, float value, float previous, std::int32_t sampleCount,
                          float xStep) override;
    void announceReading(Trace trace, float value, std::int32_t sampleCount) override;
    void Command2_Click() override;
    void showNoLoggingMessage() override;
    void yieldToEventLoop() override;
    QString currentTimeText() override;

    const FuzzRun &run_;
    PictureBox &picture_;
    SessionState state_;
    ReceiveDecoder decoder_{state_, *this};
    qsizetype next_ = 0;
    int upDown2_;
    int upDown3_;
    QString label7_;
    QString shownTemperature_;
    QString shownHumidity_;
    WindowNesting nesting_;
    // Plotted and not yet announced.
    std::optional<std::tuple<Trace, float, std::int32_t>> unannounced_;
};
