#include "device/caption_text.h"

#include <QStringBuilder>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <optional>

namespace caption {

namespace {

// Half a unit of the seventh significant digit of a magnitude from 0.01 to below 10^6,
// counted in tenths.
double halfSeventhDigitInTenths(double magnitude)
{
    double decadeEnd = 0.1;
    double half = 5e-8;
    while (magnitude >= decadeEnd) {
        decadeEnd *= 10;
        half *= 10;
    }
    return half;
}

// The value as a whole number of tenths when its seven-digit form is exactly that number
// of tenths, as for every reading the instrument sends. The value must lie closer to it
// than half a unit of the seventh digit, measured in the lower of the two decades, so that
// rounding to seven digits can land nowhere else; anything else takes the general path.
std::optional<long long> exactTenths(float value)
{
    const double x = double(value);
    if (x == 0)
        return 0; // -0 shows as "0" too
    if (!(std::abs(x) < 1e6))
        return std::nullopt;
    const double scaled = x * 10; // exact: a float's 24 bits times 10 fit in a double
    const double tenths = std::round(scaled);
    if (tenths == 0)
        return std::nullopt;
    const double lower = std::min(std::abs(x), std::abs(tenths) / 10);
    if (std::abs(scaled - tenths) >= halfSeventhDigitInTenths(lower))
        return std::nullopt;
    return static_cast<long long>(tenths);
}

// A reading's text when the reading is whole tenths, as Latin-1 characters.
struct TenthsText {
    char characters[24];
    qsizetype size = 0;

    QLatin1StringView view() const { return {characters, size}; }
};

std::optional<TenthsText> tenthsText(float value)
{
    const std::optional<long long> tenths = exactTenths(value);
    if (!tenths)
        return std::nullopt;
    TenthsText text;
    char *end = text.characters;
    if (*tenths < 0)
        *end++ = '-';
    const long long magnitude = std::llabs(*tenths);
    end = std::to_chars(end, std::end(text.characters), magnitude / 10).ptr;
    if (magnitude % 10 != 0) {
        *end++ = '.';
        *end++ = char('0' + magnitude % 10);
    }
    text.size = end - text.characters;
    return text;
}

} // namespace

// Formatting a double in general is slow; a reading is nearly always whole tenths.
QString readingText(float value)
{
    if (const std::optional<TenthsText> text = tenthsText(value))
        return text->view();
    return QString::number(double(value), 'g', 7).toUpper();
}

QString readingCaption(const QString &prefix, float value, const QString &unit)
{
    if (const std::optional<TenthsText> text = tenthsText(value))
        return prefix % text->view() % unit;
    return prefix % readingText(value) % unit;
}

} // namespace caption
