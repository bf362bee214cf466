#pragma once

#include "device/device_protocol.h"
#include "device/reading_origin.h"
#include "run/link_note.h"

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

// The text of a recording's fields other than times, written and read back.
namespace recorded {

struct Duration {
    std::int16_t count = 1;
    protocol::Unit unit = protocol::Unit::Minutes;
};

// An interval as an ISO 8601 duration: PT10M, PT2H.
QString durationText(Duration duration);
// One of durationText's, its count 1 to 32767.
std::optional<Duration> parseDuration(QByteArrayView text);

// "send" or "memory".
QString modeText(protocol::Mode mode);
std::optional<protocol::Mode> parseMode(QByteArrayView text);

// "live", or "logged" with the reported interval.
QString originText(ReadingOrigin origin);
QString logIntervalText(ReadingOrigin origin);
std::optional<ReadingOrigin> parseOrigin(QByteArrayView origin, QByteArrayView logInterval);

// "lost: " and the reason, or "restored".
QString linkText(const LinkNote &note);
std::optional<LinkNote> parseLink(QByteArrayView text);

// A reading as caption::readingText writes it, to the same float.
std::optional<float> parseReading(QByteArrayView text);
std::optional<std::int32_t> parseSampleIndex(QByteArrayView text);

} // namespace recorded
