#include "record/recording_reader.h"

#include <QBuffer>
#include <QFile>

RecordingFile readRecording(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {.runs = {}, .problems = {}, .error = file.errorString()};
    return readRecording(file);
}

RecordingFile readRecording(QIODevice &)
{
    return {.runs = {}, .problems = {}, .error = QStringLiteral("not read yet")};
}

RecordingFile parseRecording(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readRecording(buffer);
}
