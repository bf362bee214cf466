#pragma once

#include <QString>

// Where the program's complaints go unless a test takes them: one line on standard error.
void writeToStandardError(const QString &line);
