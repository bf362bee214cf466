#pragma once

#include <QColor>

// The classic sixteen-colour palette, 0 black to 15 bright white.
// A number outside 0..15 gives black, so a bad colour number still draws visibly.
QColor QBColor(int n);
