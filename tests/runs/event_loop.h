#pragma once

#include <functional>

// Runs the event loop until the condition holds or the time is up; returns the condition.
// The loop sleeps only while nothing is due, so every timer of the instrument fires on time
// (QTest::qWait sleeps in steps of up to 10 ms, which would slow a byte-by-byte line).
bool runEventLoopUntil(const std::function<bool()> &condition, int timeoutMs = 5000);
