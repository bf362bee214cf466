#include "device/standard_error.h"

#include <cstdio>

void writeToStandardError(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}
