#pragma once

#include "settings/preference_items.h"

// The toolkit's style flags of each "Font Style" item.
inline constexpr int kFontStyleFlags[] = {0, 256, 512, 768};
inline constexpr int kBoldFlag = 256;
inline constexpr int kItalicFlag = 512;
