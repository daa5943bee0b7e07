#pragma once

#include <optional>

#include "overlay/watermark_font.h"
#include "picture/picture_handle.h"

struct ConversionSettings;
struct NamingFacts;

// Stamps the text or picture watermark of the settings on the picture of
// width by height; with the type NONE returns the picture untouched. Every
// other type leaves a 24-bit picture (none when FreeImage cannot make one),
// also when no watermark results (no font, picture unreadable, nothing
// fits). A text watermark is drawn in font, the one the run loaded; its
// placeholders stand for facts, except that the size is the picture's own.
BitmapHandle applyWatermark(BitmapHandle picture, int width, int height, const ConversionSettings& settings,
                            const NamingFacts& facts, const std::optional<WatermarkFont>& font);
