#pragma once

#include <QString>

// The texts the window shows of what the instrument sends, joined from a fixed prefix and a
// value.
namespace caption {

inline const QString TimePrefix = QStringLiteral("時間 ： ");
inline const QString TemperaturePrefix = QStringLiteral("温度 ： ");
inline const QString HumidityPrefix = QStringLiteral("湿度 ： ");
inline const QString TemperatureUnit = QStringLiteral(" ℃");
inline const QString HumidityUnit = QStringLiteral(" %RH");
// The status line: its prefix, to which a new chart, Stop and Receive clear it, and what the
// instrument's answers make of it.
inline const QString StatusPrefix = QStringLiteral("開始 ： ");
inline const QString Acknowledged = StatusPrefix + QStringLiteral("OK !");
inline const QString LoggedInMinutes = StatusPrefix + QStringLiteral("LM");
inline const QString LoggedInHours = StatusPrefix + QStringLiteral("LH");
inline const QString PerMinute = QStringLiteral("分毎");
inline const QString PerHour = QStringLiteral("時毎");

// A reading in its shortest general form with at most seven significant digits:
// 25.3, 100, -5.5, 0.5. The point is always ".", whatever the locale.
QString readingText(float value);

// The prefix, the reading text of value and the unit, joined: "温度 ： 25.3 ℃".
QString readingCaption(const QString &prefix, float value, const QString &unit);

} // namespace caption
