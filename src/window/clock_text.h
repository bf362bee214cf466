#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

// The time of day as the window's labels show it.
namespace caption {

// Hours without a leading zero, minutes and seconds with two digits: 9:16:30.
inline const QString PlainTimeFormat = QStringLiteral("H:mm:ss");

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
