#include "app/report_command.h"

#include "app/command_line.h"
#include "chart/chart_font.h"
#include "chart/picture_box.h"
#include "replay/run_drawing.h"
#include "report/report_page.h"
#include "window/recording_view.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

void say(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

int cannotWrite(const QString &reportPath, const QString &reason)
{
    say(QStringLiteral("tarnwick: cannot write the report %1: %2")
            .arg(QDir::toNativeSeparators(reportPath), reason));
    return UsageError;
}

// What the window says when it shows the recording: rows skipped, settings assumed.
void sayWhatWasMissed(const QString &recordingPath, const RecordingFile &recording)
{
    if (!recording.error.isEmpty())
        say(cannotOpenLine(recordingPath, recording.error));
    if (!recording.problems.isEmpty())
        say(problemsLine(recordingPath, recording.problems));
    if (!recording.runs.back().assumed.isEmpty())
        say(QStringLiteral("tarnwick: %1: %2")
                .arg(QDir::toNativeSeparators(recordingPath), recording.runs.back().assumed));
}

} // namespace

int writeRecordingReport(const QString &recordingPath, const RecordingFile &recording,
                         const QString &reportPath)
{
    if (recording.runs.empty())
        return cannotWrite(reportPath, QStringLiteral("the recording holds no run"));
    const RecordedRun &run = recording.runs.back();
    sayWhatWasMissed(recordingPath, recording);
    PictureBox chart;
    chart.setFont(chartFont());
    drawRun(chart, run.settings, run.samples);
    const ReportSubject subject{run.settings,
                                run.start,
                                run.samples,
                                true,
                                chart.drawingLog(),
                                QString(),
                                QDir::toNativeSeparators(recordingPath),
                                QCoreApplication::applicationVersion(),
                                !run.assumed.isEmpty()};
    QString error;
    if (!writeReport(subject, reportPath, &error))
        return cannotWrite(reportPath, error);
    return 0;
}

void drawWithoutScreen()
{
    // Windows draws without showing anything on its own platform; elsewhere a display may
    // be missing altogether.
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}
