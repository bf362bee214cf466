#include "process_output.h"

#include <QByteArrayList>

QByteArray withoutEnvironmentNotes(const QByteArray &standardError)
{
    QByteArrayList lines = standardError.split('\n');
    lines.removeIf([](const QByteArray &line) {
        return line.isEmpty() || line.startsWith("QStandardPaths: ");
    });
    return lines.join('\n');
}
