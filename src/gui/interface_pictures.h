#pragma once

// Toolbar icon side in pixels for the "UI Size" code: 0 to 4 give 16, 24, 32,
// 48 and 64; any other code gives 16.
int iconPixelSize(int uiSize);
