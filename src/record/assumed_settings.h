#pragma once

#include "record/recording_reader.h"

// Gives a run read from a layout without settings the settings its chart needs, and says in
// its `assumed` what they are and where they come from:
// - the interval is the log interval of its logged readings when that is 1 to 30, else the
//   typical (median) time between its samples rounded to a whole 1 to 30 minutes, or to
//   whole hours above 30 minutes; 1 minute when its samples do not tell;
// - the span is the fewest whole hours, at most 24, whose chart holds all its samples;
// - the mode is 送信 (send), which the chart does not depend on.
void assumeSettings(RecordedRun &run);
