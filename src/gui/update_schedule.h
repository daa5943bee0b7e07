#pragma once

#include <cstdint>
#include <functional>

struct ConversionSettings;

// The updateRange that turns the automatic check off.
constexpr int32_t kUpdateRangeNever = 5;

// Days between automatic checks for an updateRange code; any code that is
// not in the list counts as a month.
int updateIntervalDays(int32_t updateRange);

// True when the automatic check is due at now (settings date seconds).
bool automaticCheckDue(int32_t updateRange, int32_t updateDate, int32_t now);

// The automatic check at the window's start: when it is due, askUser puts
// the question (true for Yes), a Yes runs check, and updateDate becomes now
// whatever the answer, so the question returns one interval later.
void runAutomaticCheck(ConversionSettings& settings, int32_t now, const std::function<bool()>& askUser,
                       const std::function<void()>& check);
