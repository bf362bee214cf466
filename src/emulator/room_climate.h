#pragma once

#include <cstdint>
#include <random>

// Which climate the instrument finds itself in.
struct ClimateScenario {
    enum class Kind {
        Room, // an ordinary room around 21 ℃ and 55 %RH
        Cold, // below zero, crossing -10 ℃
        Hot,  // above 100 ℃, humidity crossing 100 %RH
        Fixed // constant values, without noise
    };
    Kind kind = Kind::Room;
    double temperature = 0; // Fixed only
    double humidity = 0;    // Fixed only
};

struct ClimateReading {
    double temperature = 0;
    double humidity = 0;
};

// Temperature and humidity as slow smooth curves of the instrument's clock (a daily swing
// plus a slower wander) with a little noise. The same seed and the same sequence of
// reading times give the same readings.
class RoomClimate {
public:
    RoomClimate(const ClimateScenario &scenario, std::uint32_t seed);

    // The reading at the given time of the instrument's clock, in minutes since midnight.
    ClimateReading readingAt(double minutes);

private:
    ClimateScenario scenario_;
    std::mt19937 random_;
    double temperaturePhase_;
    double humidityPhase_;
};
