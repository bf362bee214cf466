#include "device/receive_decoder.h"

#include "device/caption_text.h"
#include "device/device_protocol.h"
#include "device/digit.h"

#include <algorithm>
#include <cmath>
#include <limits>

using Label = DecoderWindow::Label;

namespace {

// Accumulators are updated in double and stored as float.
float timesTenPlus(float value, int digit)
{
    return float(double(value) * 10 + digit);
}

float plusTenths(float value, int digit)
{
    return float(double(value) + digit * 0.1);
}

// The interval report is a 16-bit number; a longer digit run stays at the largest one.
std::int16_t appendIntervalDigit(std::int16_t interval, int digit)
{
    const int next = interval * 10 + digit;
    return std::int16_t(std::min(next, int(std::numeric_limits<std::int16_t>::max())));
}

} // namespace

ReceiveDecoder::ReceiveDecoder(SessionState &state, DecoderWindow &window)
    : state_(state), window_(window)
{
}

void ReceiveDecoder::decode(const QByteArray &delivery)
{
    for (const char c : delivery) {
        if (apply(c) == Flow::EndDelivery)
            return;
    }
}

ReceiveDecoder::Flow ReceiveDecoder::apply(char c)
{
    auto &s = state_;
    if (c == protocol::TemperatureLetter) {
        s.ParseState = ParseToken::Temperature;
        s.TempSign = +1;
    } else if (c == protocol::HumidityLetter) {
        if (s.ParseState == ParseToken::Between) {
            s.ParseState = ParseToken::Humidity;
            s.TempSign = +1;
        } else if (s.ParseState == ParseToken::LoggingReport) {
            loggingReport(protocol::Unit::Hours);
        }
    } else if (c == protocol::LoggingLetter) {
        s.ParseState = ParseToken::LoggingReport;
    } else if (c == protocol::MinutesLetter) {
        if (s.ParseState == ParseToken::LoggingReport)
            loggingReport(protocol::Unit::Minutes);
    } else if (isDigit(c)) {
        addDigit(c - '0');
    } else if (c == protocol::DecimalPoint) {
        if (s.ParseState == ParseToken::Temperature)
            s.ParseState = ParseToken::TemperatureTenths;
        else if (s.ParseState == ParseToken::Humidity)
            s.ParseState = ParseToken::HumidityTenths;
    } else if (c == protocol::MinusSign) {
        s.TempSign = -1;
    } else if (c == protocol::MinusLeadingOne) {
        s.TempSign = -1;
        if (s.ParseState == ParseToken::Temperature)
            s.TempValue = 1;
    } else if (c == protocol::LeadingTen) {
        if (s.ParseState == ParseToken::Temperature)
            s.TempValue = 10;
        else if (s.ParseState == ParseToken::Humidity)
            s.HumidValue = 10;
    } else if (c == protocol::Cr || c == protocol::Lf) {
        if (s.ParseState == ParseToken::TemperatureTenths)
            completeTemperature();
        else if (s.ParseState == ParseToken::HumidityTenths)
            completeHumidity();
        return lineEnd();
    } else if (c == protocol::Ack) {
        acknowledge();
    }
    return Flow::Continue;
}

void ReceiveDecoder::addDigit(int digit)
{
    auto &s = state_;
    switch (s.ParseState) {
    case ParseToken::Temperature:
        s.TempValue = timesTenPlus(s.TempValue, digit);
        break;
    case ParseToken::TemperatureTenths:
        s.TempValue = plusTenths(s.TempValue, digit);
        break;
    case ParseToken::Humidity:
        s.HumidValue = timesTenPlus(s.HumidValue, digit);
        break;
    case ParseToken::HumidityTenths:
        s.HumidValue = plusTenths(s.HumidValue, digit);
        break;
    case ParseToken::LoggingReport:
        s.LogInterval = appendIntervalDigit(s.LogInterval, digit);
        break;
    case ParseToken::Between:
        break;
    }
}

void ReceiveDecoder::completeTemperature()
{
    auto &s = state_;
    const float reading = float(double(s.TempSign) * s.TempValue);
    // A digit run too long for a float is no reading; it is dropped like a malformed one.
    if (!std::isfinite(reading))
        return;
    s.TempValue = reading;
    window_.setCaption(Label::Label5, caption::readingCaption(caption::TemperaturePrefix, reading,
                                                              caption::TemperatureUnit));
    window_.setCaption(Label::Label4, caption::TimePrefix + window_.currentTimeText());
    if (s.SampleCount < 1)
        window_.setCaption(Label::Label7, caption::TimePrefix + window_.currentTimeText());
    window_.PlotTraceSegment(Trace::Temperature, reading, s.PrevTemp, s.SampleCount, s.XStep);
    window_.announceReading(Trace::Temperature, reading, s.SampleCount);
    s.PrevTemp = reading;
}

void ReceiveDecoder::completeHumidity()
{
    auto &s = state_;
    const float reading = s.HumidValue;
    if (!std::isfinite(reading))
        return;
    window_.setCaption(Label::Label6, caption::readingCaption(caption::HumidityPrefix, reading,
                                                              caption::HumidityUnit));
    window_.setCaption(Label::Label4, caption::TimePrefix + window_.currentTimeText());
    window_.PlotTraceSegment(Trace::Humidity, reading, s.PrevHumid, s.SampleCount, s.XStep);
    window_.announceReading(Trace::Humidity, reading, s.SampleCount);
    s.PrevHumid = reading;
    if (s.SampleCount < std::numeric_limits<std::int32_t>::max())
        ++s.SampleCount;
}

ReceiveDecoder::Flow ReceiveDecoder::lineEnd()
{
    auto &s = state_;
    s.clearRecord();
    if (s.SampleCount < s.MaxSamples)
        return Flow::Continue;
    // The chart is full: stop the instrument, and leave the rest of this delivery unread.
    window_.Command2_Click();
    return Flow::EndDelivery;
}

void ReceiveDecoder::loggingReport(protocol::Unit unit)
{
    const std::int16_t reported = state_.LogInterval;
    if (reported < 1) {
        window_.showNoLoggingMessage();
        return;
    }
    // The interval selector holds 1 to 30; a longer report is applied as its largest value,
    // so that selector and label agree.
    const int interval = std::min(int(reported), protocol::IntervalMax);
    // The readings of the transfer follow; they keep the interval as reported.
    state_.Origin = {.logged = true, .interval = reported, .unit = unit};
    const bool minutes = unit == protocol::Unit::Minutes;
    window_.setUpDown2Value(interval);
    window_.setCaption(Label::Label2, QString::number(interval));
    window_.setUpDown3Value(int(unit));
    window_.setCaption(Label::Label3, minutes ? caption::PerMinute : caption::PerHour);
    window_.setCaption(Label::Label7, minutes ? caption::LoggedInMinutes : caption::LoggedInHours);
    window_.yieldToEventLoop();
}

void ReceiveDecoder::acknowledge()
{
    // A transfer ends with its acknowledgement: whatever comes after it is live again.
    state_.Origin = {};
    window_.setCaption(Label::Label7, caption::Acknowledged);
    window_.yieldToEventLoop();
}
