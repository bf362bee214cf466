#pragma once

#include <optional>

// The dew point by the Magnus formula over water, with the constants of the WMO's guide
// (Sonntag 1990): a = 17.62, b = 243.12 ℃, good to about 0.35 ℃ from -45 ℃ to 60 ℃.
//   γ = ln(RH / 100) + a·T / (b + T),   Td = b·γ / (a − γ)
// None for a humidity of 0 or below, or a temperature at or below -b, where it has no value.
namespace figures {

inline constexpr double MagnusA = 17.62;
inline constexpr double MagnusB = 243.12; // ℃

std::optional<double> dewPoint(double temperature, double relativeHumidity);

} // namespace figures
