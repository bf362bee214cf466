#pragma once

#include <QFile>
#include <QString>

// Opens file on path for appending, unbuffered: the system puts every write at the end,
// whatever else writes to the file meanwhile, and an existing file is never truncated.
// Opened by hand, since QFile's own append mode seeks, which a terminal or a device refuses.
// False, with the reason in error, when the file cannot be opened.
bool openForAppending(QFile &file, const QString &path, QString *error);
