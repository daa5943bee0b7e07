#include "overlay/drawing_handles.h"

SurfaceHandle createTransparentSurface(int width, int height)
{
    if (width <= 0 || height <= 0 || width > kLargestSurfaceSide || height > kLargestSurfaceSide)
        return nullptr;
    SurfaceHandle surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    return surface;
}
