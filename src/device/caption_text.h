#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The texts the window shows, joined from a fixed prefix and a value.
namespace caption {

inline const QString TimePrefix = QStringLiteral("時間 ： ");
inline const QString TemperaturePrefix = QStringLiteral("温度 ： ");
inline const QString HumidityPrefix = QStringLiteral("湿度 ： ");
inline const QString StatusPrefix = QStringLiteral("開始 ： ");
inline const QString TemperatureUnit = QStringLiteral(" ℃");
inline const QString HumidityUnit = QStringLiteral(" %RH");
inline const QString Acknowledged = QStringLiteral("開始 ： OK !");
inline const QString LoggedInMinutes = QStringLiteral("開始 ： LM");
inline const QString LoggedInHours = QStringLiteral("開始 ： LH");
inline const QString PerMinute = QStringLiteral("分毎");
inline const QString PerHour = QStringLiteral("時毎");
// Hours without a leading zero, minutes and seconds with two digits: 9:16:30.
inline const QString PlainTimeFormat = QStringLiteral("H:mm:ss");

// A reading in its shortest general form with at most seven significant digits:
// 25.3, 100, -5.5, 0.5. The point is always ".", whatever the locale.
QString readingText(float value);

// The prefix, the reading text of value and the unit, joined: "温度 ： 25.3 ℃".
QString readingCaption(const QString &prefix, float value, const QString &unit);

// The locale's long time format with its time-zone field taken out.
QString longTimeFormat(const QLocale &locale);

// Hours, minutes and seconds in the locale's long time format, without the zone name.
QString timeText(const QTime &time, const QLocale &locale);

// The time of day now, as the system locale writes it in format. The clock is read on every
// call.
class ClockText {
public:
    explicit ClockText(const QString &format = PlainTimeFormat);

    QString now();

private:
    QLocale system_ = QLocale::system();
    QString format_;
    bool showsMilliseconds_;
    qint64 shownSecond_;
    QString shown_;
};

} // namespace caption
