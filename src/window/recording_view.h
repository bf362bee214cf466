#pragma once

#include "record/recording_reader.h"
#include "run/run_readings.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

class Form1;
class QMenu;

// The window showing a recorded run instead of the instrument: its chart as the live run drew
// it, the labels of its last reading and the file named in the title. The port is neither
// opened nor written while a recording is shown, and the selectors and the decoder's state
// stay as the last live run left them, so that Measure and Receive work as always.
class RecordingView : public QObject {
    Q_OBJECT

public:
    explicit RecordingView(Form1 &form);

    // Reads path and shows its last run. Rows that cannot be read are said on standard error
    // and in the title, the sound ones shown. False, with the chart left as it was, when
    // nothing of the file can be shown.
    bool open(const QString &path);
    // A file read already, as open does with it.
    bool show(const QString &path, RecordingFile file);
    // One of the shown file's runs, by its place in the file.
    void showRun(std::size_t run);
    // Receive goes on from the live run: its chart, labels and readings come back.
    void leave();

    bool isShowing() const { return showing_.has_value(); }
    const RecordingFile &file() const { return file_; }
    const QString &path() const { return path_; }
    std::size_t shownRun() const { return shownRun_; }

    // The menu's items: open a recording, and the shown file's runs by their start.
    void addItems(QMenu &menu);

private:
    // What the window showed of the live run before a recording replaced it.
    struct LiveRun {
        RunSettings settings;
        QDateTime start;
        std::vector<Sample> samples;
        std::vector<LinkNote> linkNotes;
        QStringList captions; // Label4 to Label7
    };

    void askForFile();
    void addRuns(QMenu &menu);
    void feedReadings(const RecordedRun &run);
    void setLabels(const std::vector<Sample> &samples);
    void setCaptions(const QStringList &captions);
    void keepRunSettings();
    void dropView();
    QString titleNotice() const;
    QString cannotOpenNotice(const QString &path, const QString &reason) const;

    Form1 &form_;
    RecordingFile file_;
    QString path_;
    std::size_t shownRun_ = 0;
    std::optional<LiveRun> showing_; // set while a recording is shown
    bool feeding_ = false;
};

// The one line a recording that cannot be shown leaves on standard error, without a line end.
QString cannotOpenLine(const QString &path, const QString &reason);
// Many bad rows make one line: how many, and the first of them.
QString problemsLine(const QString &path, const QStringList &problems);
