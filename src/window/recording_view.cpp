#include "window/recording_view.h"

#include "chart/picture_box.h"
#include "device/caption_text.h"
#include "device/standard_error.h"
#include "replay/run_drawing.h"
#include "window/label_time_format.h"
#include "window/main_window.h"

#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>

namespace {

const QString StartFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// The last value a trace took in the run, if it took any.
std::optional<float> lastValue(const std::vector<Sample> &samples,
                               std::optional<float> Sample::*trace)
{
    for (auto sample = samples.rbegin(); sample != samples.rend(); ++sample) {
        if ((*sample).*trace)
            return (*sample).*trace;
    }
    return std::nullopt;
}

QString readingLabel(const QString &prefix, std::optional<float> value, const QString &unit)
{
    return value ? caption::readingCaption(prefix, *value, unit) : prefix;
}

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

// What the chart was drawn with for a file that does not say it.
QString assumedSettingsText(const RunSettings &settings)
{
    const QString unit =
        settings.unit == protocol::Unit::Minutes ? caption::PerMinute : caption::PerHour;
    return QStringLiteral("記録にない設定を仮定：%1 %2、測定時間 %3 時間")
        .arg(settings.interval)
        .arg(unit, settings.span);
}

// What of a file that is shown could not be read, or was assumed, on standard error.
void sayWhatWasNotRead(const QString &path, const RecordingFile &file)
{
    if (!file.error.isEmpty())
        writeToStandardError(cannotOpenLine(path, file.error));
    if (!file.problems.isEmpty())
        writeToStandardError(problemsLine(path, file.problems));
    if (!file.runs.empty() && !file.runs.back().assumed.isEmpty())
        writeToStandardError(QStringLiteral("tarnwick: %1: %2")
                                 .arg(QDir::toNativeSeparators(path), file.runs.back().assumed));
}

QString runItemText(const RecordedRun &run)
{
    return QStringLiteral("%1（%2 点）")
        .arg(run.start.toString(StartFormat))
        .arg(run.samples.size());
}

} // namespace

QString problemsLine(const QString &path, const QStringList &problems)
{
    return QStringLiteral("tarnwick: %1: %2 row(s) not read, the first: %3")
        .arg(QDir::toNativeSeparators(path))
        .arg(problems.size())
        .arg(problems.constFirst());
}

QString cannotOpenLine(const QString &path, const QString &reason)
{
    return QStringLiteral("tarnwick: cannot show the recording %1: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

RecordingView::RecordingView(Form1 &form) : form_(form)
{
    // Measure begins a run of the instrument on a cleared chart: the recording is no longer
    // shown.
    connect(&form.readings, &RunReadings::begun, this, [this] {
        if (!feeding_)
            dropView();
    });
    connect(&form.readings, &RunReadings::settingsChanged, this, &RecordingView::keepRunSettings);
}

bool RecordingView::open(const QString &path)
{
    return show(path, readRecording(path));
}

bool RecordingView::show(const QString &path, RecordingFile file)
{
    if (file.runs.empty() && !file.error.isEmpty()) {
        writeToStandardError(cannotOpenLine(path, file.error));
        form_.notice.set(TitleNotice::Topic::Viewing, cannotOpenNotice(path, file.error));
        return false;
    }
    sayWhatWasNotRead(path, file);
    if (!showing_) {
        showing_ = LiveRun{form_.readings.settings(),
                           form_.readings.start(),
                           form_.readings.samples(),
                           form_.readings.linkNotes(),
                           {form_.Label4->text(), form_.Label5->text(), form_.Label6->text(),
                            form_.Label7->text()}};
    }
    file_ = std::move(file);
    path_ = path;
    showRun(file_.runs.empty() ? 0 : file_.runs.size() - 1);
    return true;
}

void RecordingView::showRun(std::size_t run)
{
    if (!showing_)
        return;
    shownRun_ = run;
    RecordedRun none;
    none.settings = form_.runSettings();
    const RecordedRun &shown = run < file_.runs.size() ? file_.runs[run] : none;
    drawRun(*form_.Picture1, shown.settings, shown.samples);
    feedReadings(shown);
    setLabels(shown.samples);
    form_.notice.set(TitleNotice::Topic::Viewing, titleNotice());
}

void RecordingView::leave()
{
    if (!showing_)
        return;
    LiveRun live = std::move(*showing_);
    dropView();
    drawRun(*form_.Picture1, live.settings, live.samples);
    form_.readings.resume(live.settings, live.start, std::move(live.samples),
                          std::move(live.linkNotes));
    // The selectors may have changed meanwhile; the live chart's scale follows them.
    form_.readings.setSettings(form_.runSettings());
    setCaptions(live.captions);
}

void RecordingView::dropView()
{
    showing_.reset();
    file_ = {};
    path_.clear();
    if (!form_.notice.text(TitleNotice::Topic::Viewing).isEmpty())
        form_.notice.set(TitleNotice::Topic::Viewing, {});
}

// Reading by reading, as a live run feeds the model, so that whatever follows the model
// follows the recording too; the link notes where they fell.
void RecordingView::feedReadings(const RecordedRun &run)
{
    feeding_ = true;
    RunReadings &readings = form_.readings;
    readings.begin(run.settings, run.start, RunReadings::Source::Recording);
    auto note = run.linkNotes.begin();
    const auto noteLinksBefore = [&](std::size_t samples) {
        for (; note != run.linkNotes.end() && note->samplesBefore <= samples; ++note)
            readings.noteLink(*note);
    };
    for (const Sample &sample : run.samples) {
        noteLinksBefore(readings.samples().size());
        if (sample.temperature)
            readings.add(Trace::Temperature, *sample.temperature, sample.index, sample.time,
                         sample.origin);
        if (sample.humidity)
            readings.add(Trace::Humidity, *sample.humidity, sample.index, sample.time,
                         sample.origin);
    }
    readings.finish();
    noteLinksBefore(run.samples.size());
    feeding_ = false;
}

void RecordingView::setLabels(const std::vector<Sample> &samples)
{
    QString time = caption::TimePrefix;
    if (!samples.empty()) {
        const QString format =
            labelTimeFormat(QLocale::system(), form_.Label4->fontMetrics(), form_.Label4->width());
        // The wall-clock time the run was recorded in, as its label showed it then.
        time += QLocale::system().toString(samples.back().time.time(), format);
    }
    setCaptions({time,
                 readingLabel(caption::TemperaturePrefix, lastValue(samples, &Sample::temperature),
                              caption::TemperatureUnit),
                 readingLabel(caption::HumidityPrefix, lastValue(samples, &Sample::humidity),
                              caption::HumidityUnit),
                 caption::StatusPrefix});
}

void RecordingView::setCaptions(const QStringList &captions)
{
    QLabel *const labels[] = {form_.Label4, form_.Label5, form_.Label6, form_.Label7};
    for (qsizetype i = 0; i < captions.size(); ++i)
        labels[i]->setText(captions[i]);
}

// A selector changed while a recording is shown: the model keeps the shown run's scale.
void RecordingView::keepRunSettings()
{
    if (showing_ && shownRun_ < file_.runs.size())
        form_.readings.setSettings(file_.runs[shownRun_].settings);
}

QString RecordingView::titleNotice() const
{
    QStringList details;
    if (file_.runs.size() > 1)
        details << QStringLiteral("%1 開始").arg(file_.runs[shownRun_].start.toString(StartFormat));
    if (file_.runs.empty())
        details << QStringLiteral("測定なし");
    if (!file_.problems.isEmpty())
        details << QStringLiteral("読めない行 %1").arg(file_.problems.size());
    const QString notice = QStringLiteral("記録 %1").arg(fileName(path_));
    return details.isEmpty() ? notice : notice + QStringLiteral("（%1）").arg(details.join(u'、'));
}

// A file that cannot be shown leaves the one shown before it, if any, named.
QString RecordingView::cannotOpenNotice(const QString &path, const QString &reason) const
{
    const QString notice = QStringLiteral("記録 %1 を開けません：%2").arg(fileName(path), reason);
    return showing_ ? titleNotice() + u'、' + notice : notice;
}

void RecordingView::addItems(QMenu &menu)
{
    menu.addSeparator();
    QAction *open = menu.addAction(QStringLiteral("記録を開く(&O)..."));
    // A measurement or a transfer under way keeps its chart: its readings are the live run's.
    open->setEnabled(form_.runLock().constFirst()->isEnabled() && !form_.session().Origin.logged);
    connect(open, &QAction::triggered, this, &RecordingView::askForFile);
    if (showing_ && file_.runs.size() > 1)
        addRuns(menu);
    if (showing_ && shownRun_ < file_.runs.size() && !file_.runs[shownRun_].assumed.isEmpty())
        menu.addAction(assumedSettingsText(file_.runs[shownRun_].settings))->setEnabled(false);
}

void RecordingView::addRuns(QMenu &menu)
{
    QMenu *runs = menu.addMenu(QStringLiteral("記録の中の測定(&M)"));
    auto *group = new QActionGroup(runs);
    for (std::size_t run = 0; run < file_.runs.size(); ++run) {
        QAction *item = runs->addAction(runItemText(file_.runs[run]));
        item->setCheckable(true);
        item->setChecked(run == shownRun_);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, run] { showRun(run); });
    }
}

void RecordingView::askForFile()
{
    const QString path =
        QFileDialog::getOpenFileName(&form_, QStringLiteral("開く記録"), path_,
                                     QStringLiteral("CSV (*.csv);;すべてのファイル (*)"));
    if (!path.isEmpty())
        open(path);
}
