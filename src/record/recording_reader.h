#pragma once

#include "run/link_note.h"
#include "run/run_settings.h"
#include "run/sample.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <vector>

// One run of a recording: the rows that share a start, in the order they were written.
struct RecordedRun {
    QDateTime start;
    RunSettings settings; // as its last row has them
    std::vector<Sample> samples;
    std::vector<LinkNote> linkNotes;
    // What the reader supplied because the file's layout does not carry it (an older
    // layout's interval and span); empty when the file holds everything the chart needs.
    QString assumed;
};

// What a recording holds: its runs, oldest first. Rows that could not be read are skipped
// and told in problems, with their line numbers (the first few of them, then how many
// more). error is set, and runs empty, when the file cannot be read, is not a recording, or
// holds no readings.
struct RecordingFile {
    std::vector<RecordedRun> runs;
    QStringList problems;
    QString error;
};

// Reads a recording of any layout the recorder has written, line by line, in bounded
// memory. A last line without its line end, as a file still being recorded has it, is left
// out and told in problems.
RecordingFile readRecording(const QString &path);
RecordingFile readRecording(QIODevice &device);
RecordingFile parseRecording(const QByteArray &bytes);
