#include "emulator/room_climate.h"

#include "emulator/uniform.h"

#include <cmath>
#include <numbers>

namespace {

struct Profile {
    double temperatureMean;
    double temperatureSwing; // daily, highest at 15:00
    double temperatureWander;
    double humidityMean;
    double humiditySwing; // negative: the air is driest when it is warmest
    double humidityWander;
};

constexpr Profile RoomProfile{21, 3, 1.5, 55, -10, 6};
constexpr Profile ColdProfile{-9, 4, 1.5, 75, -8, 5};
constexpr Profile HotProfile{104.5, 2.5, 1.5, 96, -5, 4};

constexpr double MinutesPerDay = 24 * 60;
constexpr double Afternoon = 15 * 60;
constexpr double TemperatureNoise = 0.3; // peak to peak
constexpr double HumidityNoise = 0.8;

const Profile &profileOf(ClimateScenario::Kind kind)
{
    switch (kind) {
    case ClimateScenario::Kind::Cold:
        return ColdProfile;
    case ClimateScenario::Kind::Hot:
        return HotProfile;
    default:
        return RoomProfile;
    }
}

double cycle(double minutes, double period, double phase)
{
    return std::sin(2 * std::numbers::pi * minutes / period + phase);
}

// Two slow waves with periods of about 7 and 32 hours, between -1 and 1.
double wander(double minutes, double phase)
{
    return 0.6 * cycle(minutes, 437, phase) + 0.4 * cycle(minutes, 1931, 2 * phase);
}

} // namespace

RoomClimate::RoomClimate(const ClimateScenario &scenario, std::uint32_t seed)
    : scenario_(scenario), random_(seed)
{
    temperaturePhase_ = 2 * std::numbers::pi * uniform(random_);
    humidityPhase_ = 2 * std::numbers::pi * uniform(random_);
}

ClimateReading RoomClimate::readingAt(double minutes)
{
    if (scenario_.kind == ClimateScenario::Kind::Fixed)
        return {scenario_.temperature, scenario_.humidity};
    const Profile &p = profileOf(scenario_.kind);
    const double day = cycle(minutes - Afternoon + MinutesPerDay / 4, MinutesPerDay, 0);
    const double temperature = p.temperatureMean + p.temperatureSwing * day +
                               p.temperatureWander * wander(minutes, temperaturePhase_) +
                               TemperatureNoise * (uniform(random_) - 0.5);
    const double humidity = p.humidityMean + p.humiditySwing * day +
                            p.humidityWander * wander(minutes, humidityPhase_) +
                            HumidityNoise * (uniform(random_) - 0.5);
    return {temperature, humidity};
}
