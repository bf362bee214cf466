#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A child process's standard error without the notes Qt prints about the environment it
// finds itself in, such as a missing runtime directory or a DPI call Wine lacks.
QByteArray withoutEnvironmentNotes(const QByteArray &standardError);

// How a child process ended.
struct ChildEnd {
    bool finished = false; // within the time given
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    int exitCode = -1; // -1 unless it finished in time, without crashing
    QByteArray standardOutput;
    QByteArray standardError;
};

// Runs a program until it ends or timeoutMs have passed, when it is killed; what it wrote
// is read either way.
ChildEnd runChild(const QString &program, const QStringList &arguments,
                  const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                  int timeoutMs = 10000);

// Runs this test program again, in a child process with the environment variable set, until
// it ends or ten seconds have passed.
ChildEnd runThisProgramWith(const QString &variable, const QString &value);
