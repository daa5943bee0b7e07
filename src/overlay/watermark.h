#pragma once

struct FIBITMAP;

// Stamps the text or picture watermark; with watermarkType 0 returns the
// picture untouched.
FIBITMAP* applyWatermark(FIBITMAP* picture, int width, int height);
