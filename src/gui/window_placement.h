#pragma once

#include <vector>

#include "settings/conversion_settings.h"

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where the main window opens: the stored outer top-left corner and inner
// width (never under minWidth), the given height. A window without a stored
// placement (a first start), a placement that no display shows any part of,
// or a stored size that no display could hold opens centred on the primary
// display (the first one).
ScreenRect initialWindowPlacement(const ConversionSettings& settings, bool placementStored,
                                  const std::vector<ScreenRect>& displays, int minWidth, int height);

// The main window as the user leaves it.
struct LeavingWindow {
    bool maximized = false;
    bool minimized = false;
    ScreenRect placement;  // outer top-left corner, inner size
};

// What leaving stores: the placement of a window in its normal state (a
// maximised one keeps the last normal size and is maximised again, a
// minimised one records nothing), and no recent folders unless their
// history is kept.
void storeLeavingState(ConversionSettings& settings, const LeavingWindow& window);
