#pragma once

class QCoreApplication;

// Ends the application's event loop, and so the program, on SIGINT or SIGTERM (on Windows,
// Ctrl+C, Ctrl+Break or the console closing).
// False when the signals cannot be caught; they then end the program at once.
bool quitOnTerminationSignals(QCoreApplication &app);
