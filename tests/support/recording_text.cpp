#include "recording_text.h"

#include "record/recorded_fields.h"
#include "record/recorded_time.h"

namespace {

QString reading(std::optional<float> value)
{
    return value ? QString::number(double(*value)) : QStringLiteral("-");
}

QString sampleText(const Sample &sample)
{
    QString text = QStringLiteral("%1 #%2 %3/%4 %5")
                       .arg(sample.time.toString(QStringLiteral("HH:mm:ss")))
                       .arg(sample.index)
                       .arg(reading(sample.temperature), reading(sample.humidity),
                            recorded::originText(sample.origin));
    if (sample.origin.logged)
        text += u' ' + recorded::logIntervalText(sample.origin);
    return text;
}

QString noteText(const LinkNote &note)
{
    return QStringLiteral("%1 %2, after %3")
        .arg(note.time.toString(QStringLiteral("HH:mm:ss")), recorded::linkText(note))
        .arg(note.samplesBefore);
}

} // namespace

QStringList runText(const RecordedRun &run)
{
    const RunSettings &settings = run.settings;
    QStringList lines{QStringLiteral("run %1 %2 %3 %4h%5")
                          .arg(recordedTime(run.start), recorded::modeText(settings.mode),
                               recorded::durationText({settings.interval, settings.unit}),
                               settings.span,
                               run.assumed.isEmpty() ? QString() : QStringLiteral(", assumed"))};
    // Samples and notes in the order they happened.
    std::size_t note = 0;
    for (std::size_t i = 0; i <= run.samples.size(); ++i) {
        for (; note < run.linkNotes.size() && run.linkNotes[note].samplesBefore == i; ++note)
            lines << noteText(run.linkNotes[note]);
        if (i < run.samples.size())
            lines << sampleText(run.samples[i]);
    }
    return lines;
}

QStringList recordingText(const RecordingFile &file)
{
    QStringList lines;
    for (const RecordedRun &run : file.runs)
        lines << runText(run);
    return lines;
}
