#include "chart/chart_plot.h"

#include "chart/chart_geometry.h"
#include "chart/picture_box.h"
#include "chart/qb_color.h"
#include "device/device_protocol.h"
#include "device/digit.h"
#include "device/session_state.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

constexpr std::int16_t MostSamples = std::numeric_limits<std::int16_t>::max();

qsizetype skipDigits(const QString &text, qsizetype at)
{
    while (at < text.size() && isDigit(text[at].unicode()))
        ++at;
    return at;
}

qsizetype skipSign(const QString &text, qsizetype at)
{
    return at < text.size() && (text[at] == u'+' || text[at] == u'-') ? at + 1 : at;
}

// Where the exponent after a mantissa ends, or `at` itself when no complete exponent follows.
qsizetype exponentEnd(const QString &text, qsizetype at)
{
    if (at >= text.size() || (text[at] != u'e' && text[at] != u'E'))
        return at;
    const qsizetype digits = skipSign(text, at + 1);
    const qsizetype end = skipDigits(text, digits);
    return end > digits ? end : at;
}

// A double rounded to a float; beyond the float range it becomes an infinity of its sign,
// which the picture then leaves undrawn.
float storedFloat(double v)
{
    constexpr float Infinity = std::numeric_limits<float>::infinity();
    if (std::abs(v) > double(std::numeric_limits<float>::max()))
        return v > 0 ? Infinity : -Infinity;
    return float(v);
}

std::int16_t samplesFor(double t)
{
    if (!(t >= 1))
        return 1;
    if (t >= MostSamples)
        return MostSamples;
    return static_cast<std::int16_t>(std::floor(float(t)));
}

float chartY(float value)
{
    return storedFloat(chart::valueY(value));
}

} // namespace

double spanHours(const QString &text)
{
    qsizetype at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t'))
        ++at;
    const qsizetype start = at;
    const qsizetype whole = skipSign(text, at);
    qsizetype end = skipDigits(text, whole);
    bool hasDigits = end > whole;
    if (end < text.size() && text[end] == u'.') {
        const qsizetype fraction = skipDigits(text, end + 1);
        hasDigits = hasDigits || fraction > end + 1;
        end = fraction;
    }
    if (!hasDigits)
        return 0;
    end = exponentEnd(text, end);
    // A well-formed number fails only by leaving the double range: infinity when it is
    // too large, 0 when it is too small, which is what the span should be.
    return QLocale::c().toDouble(QStringView(text).mid(start, end - start));
}

void applyChartScale(SessionState &session, const QString &spanText, int count, int unit)
{
    const ChartScale scale = chartScale(spanText, count, unit);
    session.MaxSamples = scale.MaxSamples;
    session.XStep = scale.XStep;
}

ChartScale chartScale(const QString &spanText, int count, int unit)
{
    const double span = spanHours(spanText);
    const bool minutes = protocol::Unit(unit) == protocol::Unit::Minutes;
    const double t = minutes ? span * 60 / count : span / count;
    const std::int16_t maxSamples = samplesFor(t);
    return {maxSamples, float(double(chart::Width) / maxSamples)};
}

void PlotTraceSegment(PictureBox &picture, Trace trace, float value, float previous,
                      std::int32_t sampleCount, float xStep)
{
    const float x = storedFloat(chart::sampleX(xStep, sampleCount));
    const float y = chartY(value);
    const bool first = sampleCount < 1;
    const float startX = storedFloat(first ? double(x) + 1 : double(x) - xStep);
    const float startY = first ? y : chartY(previous);
    picture.Line(startX, startY, x, y, QBColor(trace == Trace::Temperature ? 12 : 9));
}
