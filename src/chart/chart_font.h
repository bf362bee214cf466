#pragma once

#include <QFont>

// The face of the chart's scale numbers and axis titles: the window's Japanese
// user-interface font, with a line of about 12 pixels.
QFont chartFont();
