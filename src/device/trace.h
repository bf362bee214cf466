#pragma once

// The chart's two traces: temperature in red, humidity in blue.
enum class Trace { Temperature, Humidity };
