#pragma once

#include <functional>

// How long a test waits for what should come at once, before it fails.
constexpr int DefaultWaitMs = 5000;

// Runs the event loop until the condition holds or the time is up; returns the condition.
// The condition is asked at once and then every 2 ms, not more.
// The loop sleeps only while nothing is due, so every timer of an emulated instrument fires
// on time, and a line that carries one byte at a time is not slowed down (QTest::qWaitFor
// sleeps in steps of up to 10 ms, with no event handled meanwhile).
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = DefaultWaitMs);

// Runs what is pending, repaints included, without waiting for more.
void settle();
