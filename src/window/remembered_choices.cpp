#include "window/remembered_choices.h"

#include <QSettings>

namespace {

const QString PortKey = QStringLiteral("serial/port");
const QString RecordKey = QStringLiteral("recording/file");
const QString ContinuousKey = QStringLiteral("runs/continuous");

void remember(const QString &key, const QString &value)
{
    QSettings settings;
    if (value.isEmpty())
        settings.remove(key);
    else
        settings.setValue(key, value);
}

} // namespace

namespace remembered {

QString port()
{
    return QSettings().value(PortKey).toString();
}

void setPort(const QString &path)
{
    remember(PortKey, path);
}

QString recordFile()
{
    return QSettings().value(RecordKey).toString();
}

void setRecordFile(const QString &path)
{
    remember(RecordKey, path);
}

bool continuous()
{
    return QSettings().value(ContinuousKey, false).toBool();
}

void setContinuous(bool on)
{
    remember(ContinuousKey, on ? QStringLiteral("true") : QString());
}

} // namespace remembered
