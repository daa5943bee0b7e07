#include "gui/update_schedule.h"

#include "settings/conversion_settings.h"

int updateIntervalDays(int32_t updateRange)
{
    switch (updateRange) {
    case 0: return 1;
    case 1: return 7;
    case 3: return 90;
    case 4: return 180;
    default: return 30;
    }
}

bool automaticCheckDue(int32_t updateRange, int32_t updateDate, int32_t now)
{
    if (updateRange == kUpdateRangeNever)
        return false;
    // Settings dates count local wall-clock seconds, so a calendar day is always 86400 of them.
    int64_t next = static_cast<int64_t>(updateDate) + int64_t{updateIntervalDays(updateRange)} * 86400;
    return now > next;
}

void runAutomaticCheck(ConversionSettings& settings, int32_t now, const std::function<bool()>& askUser,
                       const std::function<void()>& check)
{
    if (!automaticCheckDue(settings.updateRange, settings.updateDate, now))
        return;
    if (askUser())
        check();
    settings.updateDate = now;
}
