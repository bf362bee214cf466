#pragma once

#include <QString>

// The time of day that the tests' stand-ins for the window read from their clock.
inline const QString FixedClockText = QStringLiteral("12:34:56");
