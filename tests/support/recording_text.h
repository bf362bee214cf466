#pragma once

#include "record/recording_reader.h"

#include <QStringList>

// A recording as read, as lines of text that a test compares:
//   run 2026-12-09T16:31:23+09:00 send PT10M 2h            (", assumed" when it was)
//   16:31:23 #0 25.3/60.1 live
//   16:41:23 #1 -/60.2 logged PT15M
//   16:45:00 lost: the line broke, after 2
QStringList recordingText(const RecordingFile &file);
QStringList runText(const RecordedRun &run);
