#include "gui/window_placement.h"

#include <algorithm>

namespace {

// Larger than any display a window could be left on.
constexpr int kLargestSensibleExtent = 16384;

bool overlaps(const ScreenRect& a, const ScreenRect& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

ScreenRect initialWindowPlacement(const ConversionSettings& settings, bool placementStored,
                                  const std::vector<ScreenRect>& displays, int minWidth, int height)
{
    ScreenRect window{settings.windowX, settings.windowY, std::max(settings.windowWidth, minWidth), height};
    const bool sensibleSize = settings.windowWidth > 0 && settings.windowHeight > 0 &&
                              settings.windowWidth <= kLargestSensibleExtent &&
                              settings.windowHeight <= kLargestSensibleExtent;
    if (displays.empty())
        return window;
    const bool seen = std::any_of(displays.begin(), displays.end(),
                                  [&](const ScreenRect& display) { return overlaps(window, display); });
    if (placementStored && sensibleSize && seen)
        return window;

    const ScreenRect& primary = displays.front();
    if (!sensibleSize)
        window.width = minWidth;
    window.width = std::min(window.width, std::max(primary.width, minWidth));
    window.x = primary.x + std::max(0, (primary.width - window.width) / 2);
    window.y = primary.y + std::max(0, (primary.height - height) / 2);
    return window;
}

void storeLeavingState(ConversionSettings& settings, const LeavingWindow& window)
{
    if (window.maximized) {
        settings.windowMaximized = 1;
    } else if (!window.minimized) {
        settings.windowMaximized = 0;
        settings.windowX = window.placement.x;
        settings.windowY = window.placement.y;
        settings.windowWidth = window.placement.width;
        settings.windowHeight = window.placement.height;
    }
    if (!settings.outFoldersHistory)
        settings.recentOutFolders.clear();
}
