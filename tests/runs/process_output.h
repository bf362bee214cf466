#pragma once

#include <QByteArray>

// A child process's standard error without the notes Qt prints about the environment it
// finds itself in, such as a missing runtime directory.
QByteArray withoutEnvironmentNotes(const QByteArray &standardError);
