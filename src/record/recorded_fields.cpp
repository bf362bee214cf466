#include "record/recorded_fields.h"

#include <charconv>
#include <cmath>

namespace recorded {

namespace {

const QByteArray Lost = QByteArrayLiteral("lost: ");
const QByteArray Restored = QByteArrayLiteral("restored");

// A whole number, all of the text, from std::from_chars: no locale, no blanks, no sign "+".
template <typename Number> std::optional<Number> parseNumber(QByteArrayView text)
{
    Number number{};
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.isEmpty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

} // namespace

QString durationText(Duration duration)
{
    const QChar unit = duration.unit == protocol::Unit::Minutes ? u'M' : u'H';
    return QStringLiteral("PT%1%2").arg(duration.count).arg(unit);
}

std::optional<Duration> parseDuration(QByteArrayView text)
{
    if (text.size() < 4 || !text.startsWith("PT"))
        return std::nullopt;
    const char unit = text.back();
    if (unit != 'M' && unit != 'H')
        return std::nullopt;
    const auto count = parseNumber<std::int16_t>(text.sliced(2, text.size() - 3));
    if (!count || *count < 1)
        return std::nullopt;
    return Duration{*count, unit == 'M' ? protocol::Unit::Minutes : protocol::Unit::Hours};
}

QString modeText(protocol::Mode mode)
{
    return mode == protocol::Mode::Send ? QStringLiteral("send") : QStringLiteral("memory");
}

std::optional<protocol::Mode> parseMode(QByteArrayView text)
{
    if (text == "send")
        return protocol::Mode::Send;
    if (text == "memory")
        return protocol::Mode::Memory;
    return std::nullopt;
}

QString originText(ReadingOrigin origin)
{
    return origin.logged ? QStringLiteral("logged") : QStringLiteral("live");
}

QString logIntervalText(ReadingOrigin origin)
{
    return origin.logged ? durationText({origin.interval, origin.unit}) : QString();
}

std::optional<ReadingOrigin> parseOrigin(QByteArrayView origin, QByteArrayView logInterval)
{
    if (origin == "live" && logInterval.isEmpty())
        return ReadingOrigin{};
    if (origin != "logged")
        return std::nullopt;
    const std::optional<Duration> interval = parseDuration(logInterval);
    if (!interval)
        return std::nullopt;
    return ReadingOrigin{.logged = true, .interval = interval->count, .unit = interval->unit};
}

QString linkText(const LinkNote &note)
{
    if (note.event == LinkNote::Event::Restored)
        return QString::fromLatin1(Restored);
    return QString::fromLatin1(Lost) + note.reason;
}

std::optional<LinkNote> parseLink(QByteArrayView text)
{
    LinkNote note;
    if (text == Restored) {
        note.event = LinkNote::Event::Restored;
        return note;
    }
    if (!text.startsWith(Lost))
        return std::nullopt;
    note.reason = QString::fromUtf8(text.sliced(Lost.size()));
    return note;
}

std::optional<float> parseReading(QByteArrayView text)
{
    // from_chars takes no leading "+", and neither does the recorder write one; it does
    // take "inf" and "nan", which no reading is.
    const std::optional<float> value = parseNumber<float>(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> parseSampleIndex(QByteArrayView text)
{
    const std::optional<std::int32_t> index = parseNumber<std::int32_t>(text);
    if (!index || *index < 0)
        return std::nullopt;
    return index;
}

} // namespace recorded
