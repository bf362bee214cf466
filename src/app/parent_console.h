#pragma once

// On Windows the program belongs to the GUI subsystem, so that Explorer opens no console
// beside its window. Started from a command prompt, it writes its lines (--help, --version,
// --list-ports, errors) to that prompt's console instead; elsewhere this does nothing.
void useParentConsole();
