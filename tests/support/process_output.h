#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// A child process's standard error without the notes Qt prints about the environment it
// finds itself in, such as a missing runtime directory.
QByteArray withoutEnvironmentNotes(const QByteArray &standardError);

// How a child process ended.
struct ChildEnd {
    bool finished = false; // within the time given
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    int exitCode = -1;
    QByteArray standardError;
};

// Runs this test program again, in a child process with the environment variable set, until
// it ends or ten seconds have passed.
ChildEnd runThisProgramWith(const QString &variable, const QString &value);
