#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// How the window stood at the end of a run: the chart, and the time, temperature and
// humidity labels.
struct LiveEnd {
    QImage chart;
    QStringList labels;
};

// A run measured by a window on a scripted instrument, with ten samples to the chart,
// recorded into path and stopped by the operator once the readings have drawn `samples`
// samples.
LiveEnd measureAndRecord(const QString &path, const QByteArray &readings, int samples);

QByteArray fileBytes(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);
