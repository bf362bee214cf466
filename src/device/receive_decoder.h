#pragma once

#include "device/device_protocol.h"
#include "device/session_state.h"
#include "device/trace.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Everything the receive decoder does outside its session state. Form1 implements it;
// tests record it. Command2_Click, showNoLoggingMessage and yieldToEventLoop may run
// the decoder again, nested, with the next delivery.
class DecoderWindow {
public:
    enum class Label { Label2, Label3, Label4, Label5, Label6, Label7 };

    virtual ~DecoderWindow() = default;
    virtual void setCaption(Label label, const QString &caption) = 0;
    virtual void setUpDown2Value(int value) = 0;
    virtual void setUpDown3Value(int value) = 0;
    virtual void PlotTraceSegment(Trace trace, float value, float previous,
                                  std::int32_t sampleCount, float xStep) = 0;
    // A reading is complete: shown, plotted and to be kept by whoever keeps readings.
    virtual void announceReading(Trace trace, float value, std::int32_t sampleCount) = 0;
    virtual void Command2_Click() = 0;
    virtual void showNoLoggingMessage() = 0;
    virtual void yieldToEventLoop() = 0;
    virtual QString currentTimeText() = 0;
};

// Turns the instrument's characters into readings, logging reports and acknowledgements.
// It keeps nothing of its own between deliveries: all of it lives in the session state,
// so a nested delivery carries on where the outer one stands.
class ReceiveDecoder {
public:
    ReceiveDecoder(SessionState &state, DecoderWindow &window);

    void decode(const QByteArray &delivery);

private:
    enum class Flow { Continue, EndDelivery };

    Flow apply(char c);
    void addDigit(int digit);
    void completeTemperature();
    void completeHumidity();
    Flow lineEnd();
    void loggingReport(protocol::Unit unit);
    void acknowledge();

    SessionState &state_;
    DecoderWindow &window_;
};
