#pragma once

#include "device/receive_decoder.h"
#include "fixed_clock.h"

#include <QStringList>
#include <functional>

// Stands in for Form1 and writes down every effect of the decoder as one line of text,
// so that a test can compare a whole stream's effects with a list.
class RecordingWindow : public DecoderWindow {
public:
    static inline const QString &Time = FixedClockText;

    void setCaption(Label label, const QString &caption) override;
    void setUpDown2Value(int value) override;
    void setUpDown3Value(int value) override;
    void PlotTraceSegment(Trace trace, float value, float previous, std::int32_t sampleCount,
                          float xStep) override;
    void announceReading(Trace trace, float value, std::int32_t sampleCount) override;
    void Command2_Click() override;
    void showNoLoggingMessage() override;
    void yieldToEventLoop() override;
    QString currentTimeText() override { return Time; }

    // A completed reading as it is recorded: its plot call, then its announcement.
    //   plot temperature 25.3 from 0 at 0 step 7.5
    //   reading temperature 25.3 at 0
    static QStringList completion(Trace trace, float value, float previous,
                                  std::int32_t sampleCount, float xStep);

    QStringList effects;
    std::function<void()> onStop;  // runs inside Command2_Click, after it is recorded
    std::function<void()> onYield; // runs inside each yield, after it is recorded
};
