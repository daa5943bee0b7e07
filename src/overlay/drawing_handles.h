#pragma once

#include <cairo.h>

#include <memory>

// Owning Cairo handles, so that every early return of a drawing step releases
// what it made.
struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct CairoRelease {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

using SurfaceHandle = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using CairoHandle = std::unique_ptr<cairo_t, CairoRelease>;

// Cairo refuses image surfaces wider or taller than this.
constexpr int kLargestSurfaceSide = 32767;

// A transparent ARGB32 surface, or nullptr when Cairo cannot make it.
SurfaceHandle createTransparentSurface(int width, int height);
