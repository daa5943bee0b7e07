#pragma once

#include <cairo.h>

struct FIBITMAP;

// Lays a premultiplied Cairo ARGB32 surface over the 24-bit picture with its
// top-left corner at (left, top) in picture rows counted from the top, each
// pixel weighted by its own alpha times opacity / 255. Parts outside the
// picture are ignored.
void blendSurfaceOver(FIBITMAP* picture, cairo_surface_t* surface, int left, int top, int opacity);

// Lays a 32-bit bitmap with straight alpha over the 24-bit picture at (left,
// top), the bitmap's top row at picture row top: each pixel = colour × a +
// picture × (1 − a). Parts outside the picture are ignored.
void blendBitmapOver(FIBITMAP* picture, FIBITMAP* layer, int left, int top);
