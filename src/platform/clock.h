#pragma once

#include <cstdint>

// Settings hold dates as seconds since 1970-01-01 00:00 of the local clock
// (the wall-clock reading counted as if it were UTC).
int32_t currentLocalTime();
int64_t localTimeToFileTime(int32_t localSeconds);
int32_t fileTimeToLocalTime(int64_t fileTime);

// Milliseconds of a monotonic clock, for durations.
int64_t monotonicMilliseconds();
void sleepMilliseconds(int milliseconds);

// A fresh random integer from low to high inclusive.
int32_t randomInRange(int32_t low, int32_t high);
