#pragma once

#include "figures/quantity_figures.h"
#include "run/run_settings.h"
#include "run/sample.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

// The report's words and numbers, in the window's language and number form.
namespace report {

QString modeText(const RunSettings &settings);     // 送信, メモリ
QString intervalText(const RunSettings &settings); // 10 分毎
QString spanText(const RunSettings &settings);     // 24 時間
// Live, logged by the instrument, or opened from a recording.
QString originText(const std::vector<Sample> &samples, bool fromRecording);
QString timeText(const QDateTime &time);

// What a quantity's values are: readings as the instrument sent them, or computed from them.
enum class Values { Readings, Computed };

// One row of the figures table: name, minimum and its time, maximum and its time, mean,
// count; dashes where the run has no value.
QStringList figuresRow(const QString &name, const figures::QuantityFigures &quantity,
                       Values values);

} // namespace report
