#pragma once

// On Windows tarnwick.exe belongs to the GUI subsystem, so that Explorer opens no console
// beside its window (tarnwick.com, its console twin, is the one a prompt picks). Started from
// a command prompt, it writes its lines (--help, --version, --list-ports, errors) to that
// prompt's console instead; elsewhere this does nothing.
void useParentConsole();

// Whether what the program prints reaches anyone: a console, or output redirected to a file
// or a pipe. Where neither is, its answers are shown in a message box. Always so on Linux,
// where standard error is the place.
bool outputIsRead();
