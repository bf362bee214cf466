#pragma once

#include "device/trace.h"

#include <QString>
#include <cstdint>

class PictureBox;
struct SessionState;

// The number at the start of a chart-span text, after leading blanks: an optional sign,
// digits with an optional fraction and exponent. 0 when the text does not start with a
// number; a number too large for a double gives an infinity of its sign.
double spanHours(const QString &text);

struct ChartScale {
    std::int16_t MaxSamples; // samples that fill the chart, 1 to 32767
    float XStep;             // horizontal distance between two samples
};

// The samples that fill the chart: the span in hours over the interval, which is `count`
// minutes when `unit` is 1 and `count` hours otherwise, rounded down. A span too large for
// 16 bits fills the chart with 32767 samples; one below a single sample, negative or not
// a number at all gives 1.
ChartScale chartScale(const QString &spanText, int count, int unit);

// Sets MaxSamples and XStep from the chart span's text and the interval selectors, as the
// span's click and every selector change do.
void applyChartScale(SessionState &session, const QString &spanText, int count, int unit);

// Draws the segment of one trace that ends at the sample `sampleCount` with `value`,
// starting at the trace's previous value one step to the left; the first sample of a run
// gets a one-unit stub instead. Temperature is red and humidity blue; values outside
// -10..100 are drawn where they fall, as far as the picture reaches.
void PlotTraceSegment(PictureBox &picture, Trace trace, float value, float previous,
                      std::int32_t sampleCount, float xStep);
