#pragma once

struct ConversionSettings;
struct FIBITMAP;
struct NamingFacts;

// Stamps the text or picture watermark of the settings on the picture of
// width by height; with the type NONE returns the picture untouched. Every
// other type leaves a 24-bit picture, also when no watermark results (font
// not loaded, picture unreadable, nothing fits). The placeholders of a text
// watermark stand for facts, except that the size is the picture's own.
FIBITMAP* applyWatermark(FIBITMAP* picture, int width, int height, const ConversionSettings& settings,
                         const NamingFacts& facts);
