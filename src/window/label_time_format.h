#pragma once

#include <QFontMetrics>
#include <QLocale>
#include <QString>

// The format of the time of a reading in a label labelWidth pixels wide, after the prefix
// "時間 ： ": the locale's long time format without its zone when its widest time fits
// whole, else "H:mm:ss". A Japanese locale always gets "H:mm:ss" (9:16:30), the long time
// format of the Japanese desktops the window was laid out for.
QString labelTimeFormat(const QLocale &locale, const QFontMetrics &metrics, int labelWidth);
