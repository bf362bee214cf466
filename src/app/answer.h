#pragma once

#include "app/command_line.h"

// Says the answer where it is read, on standard output (standard error for an error), or
// where no one reads them, in a message box; returns the exit status.
int giveAnswer(const Answer &answer, int &argc, char **argv);
