#include "window/remembered_choices.h"

#include <QSettings>

namespace {

const QString PortKey = QStringLiteral("serial/port");
const QString RecordKey = QStringLiteral("recording/file");

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

} // namespace remembered
