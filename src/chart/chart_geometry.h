#pragma once

#include <cstdint>

// Where the chart's frame stands in the picture and how a value maps onto it.
namespace chart {

inline constexpr int Left = 50;
inline constexpr int Top = 10;
inline constexpr int Right = 500;
inline constexpr int Bottom = 315;
inline constexpr int Width = Right - Left;
inline constexpr int Height = Bottom - Top;

// The values at the frame's bottom and top edges.
inline constexpr int BottomValue = -10;
inline constexpr int TopValue = 100;
inline constexpr int ValueSpan = TopValue - BottomValue;

// The vertical mapping, in double: y = 3160/11 - value·305/110. The offset is one
// division of whole numbers, so it is the same double as 3160.0 / 11.
constexpr double valueY(double value)
{
    return double(Bottom * ValueSpan + BottomValue * Height) / ValueSpan -
           value * Height / ValueSpan;
}

// Where sample `sample` stands for samples `xStep` apart, in double: x = 50 + sample·xStep.
constexpr double sampleX(float xStep, std::int32_t sample)
{
    return double(xStep) * sample + Left;
}

} // namespace chart
