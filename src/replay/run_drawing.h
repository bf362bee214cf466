#pragma once

#include "run/run_settings.h"
#include "run/sample.h"

#include <vector>

class PictureBox;

// Draws a run on an empty chart as the live run drew it, reading by reading: each sample at
// its index, on the scale its settings give, each trace going on from its last reading.
void drawRun(PictureBox &picture, const RunSettings &settings, const std::vector<Sample> &samples);
