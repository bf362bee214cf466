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

class ScriptedDesk;

// A run measured with ten samples to the chart, stopped by the operator once the readings
// have drawn `samples` samples; how the window stood then. A '|' in readings holds the rest
// back for a second, so that the last reading's time is not the first's.
LiveEnd measureRun(ScriptedDesk &desk, const QByteArray &readings, int samples);
// The same in a window of its own, recorded into path.
LiveEnd measureAndRecord(const QString &path, const QByteArray &readings, int samples);

QByteArray fileBytes(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);
