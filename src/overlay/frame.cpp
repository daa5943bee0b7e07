#include "overlay/frame.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdint>

#include "overlay/drawing_handles.h"
#include "overlay/layer_blend.h"
#include "picture/colours.h"
#include "picture/picture_handover.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

// The layer is drawn and laid over the picture in tiles of at most this side,
// so that memory stays small and pictures larger than a Cairo surface work.
constexpr int kTileSide = 2048;

// Widths beyond any picture but well inside Cairo's coordinate range; a band
// this wide already covers the whole picture.
constexpr int64_t kWidestBand = 1 << 22;

struct Bands {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
};

struct Area {
    int64_t x0 = 0;
    int64_t y0 = 0;
    int64_t x1 = 0;
    int64_t y1 = 0;
};

double bandWidth(int32_t setting)
{
    return static_cast<double>(std::clamp<int64_t>(setting, 0, kWidestBand));
}

void setColour(cairo_t* cr, const std::string& hex)
{
    const RgbaColour colour = colourFromHex(hex, 255);
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

void fillRectangle(cairo_t* cr, const std::string& hex, double x, double y, double width, double height)
{
    if (width <= 0 || height <= 0)
        return;
    setColour(cr, hex);
    cairo_rectangle(cr, x, y, width, height);
    cairo_fill(cr);
}

// A band: the quadrilateral from a picture corner along the edge to the next
// corner and back along the band's inner edge.
void fillQuadrilateral(cairo_t* cr, const std::string& hex, double x, double y, double dx1, double dy1, double dx2,
                       double dy2, double dx3, double dy3)
{
    setColour(cr, hex);
    cairo_move_to(cr, x, y);
    cairo_rel_line_to(cr, dx1, dy1);
    cairo_rel_line_to(cr, dx2, dy2);
    cairo_rel_line_to(cr, dx3, dy3);
    cairo_close_path(cr);
    cairo_fill(cr);
}

// The corner squares first, then the bands over them; each corner therefore
// shows only along the anti-aliased seam of its diagonal.
void drawFrameShapes(cairo_t* cr, double width, double height, const Bands& b, const ConversionSettings& s)
{
    fillRectangle(cr, s.frameTopColor, 0, 0, b.left, b.top);
    fillRectangle(cr, s.frameRightColor, width - b.right, 0, b.right, b.top);
    fillRectangle(cr, s.frameBottomColor, width - b.right, height - b.bottom, b.right, b.bottom);
    fillRectangle(cr, s.frameLeftColor, 0, height - b.bottom, b.left, b.bottom);
    fillQuadrilateral(cr, s.frameTopColor, 0, 0, width, 0, -b.right, b.top, -(width - b.right - b.left), 0);
    fillQuadrilateral(cr, s.frameRightColor, width, 0, 0, height, -b.right, -b.bottom, 0, -(height - b.bottom - b.top));
    fillQuadrilateral(cr, s.frameBottomColor, width, height, -width, 0, b.left, -b.bottom, width - b.right - b.left, 0);
    fillQuadrilateral(cr, s.frameLeftColor, 0, height, 0, -height, b.left, b.top, 0, height - b.bottom - b.top);
}

void drawTile(FIBITMAP* picture, int width, int height, const Bands& bands, const Area& tile,
              const ConversionSettings& settings)
{
    SurfaceHandle surface =
        createTransparentSurface(static_cast<int>(tile.x1 - tile.x0), static_cast<int>(tile.y1 - tile.y0));
    if (!surface)
        return;
    CairoHandle cr(cairo_create(surface.get()));
    cairo_translate(cr.get(), -static_cast<double>(tile.x0), -static_cast<double>(tile.y0));
    drawFrameShapes(cr.get(), width, height, bands, settings);
    blendSurfaceOver(picture, surface.get(), static_cast<int>(tile.x0), static_cast<int>(tile.y0),
                     settings.frameOpacity);
}

void drawArea(FIBITMAP* picture, int width, int height, const Bands& bands, const Area& area,
              const ConversionSettings& settings)
{
    for (int64_t y = area.y0; y < area.y1; y += kTileSide) {
        for (int64_t x = area.x0; x < area.x1; x += kTileSide)
            drawTile(picture, width, height, bands,
                     {x, y, std::min(x + kTileSide, area.x1), std::min(y + kTileSide, area.y1)}, settings);
    }
}

// Every band shape lies inside its band's strip along the edge, so only those
// strips are drawn: the top and bottom rows, and between them the left and
// right columns, without overlap.
void drawFrame(FIBITMAP* picture, int width, int height, const ConversionSettings& settings)
{
    const Bands bands{bandWidth(settings.frameLeft), bandWidth(settings.frameRight), bandWidth(settings.frameTop),
                      bandWidth(settings.frameBottom)};
    const int64_t topEnd = std::min<int64_t>(height, static_cast<int64_t>(bands.top));
    const int64_t bottomStart = std::max<int64_t>(topEnd, height - static_cast<int64_t>(bands.bottom));
    const int64_t leftEnd = std::min<int64_t>(width, static_cast<int64_t>(bands.left));
    const int64_t rightStart = std::max<int64_t>(leftEnd, width - static_cast<int64_t>(bands.right));
    drawArea(picture, width, height, bands, {0, 0, width, topEnd}, settings);
    drawArea(picture, width, height, bands, {0, bottomStart, width, height}, settings);
    drawArea(picture, width, height, bands, {0, topEnd, leftEnd, bottomStart}, settings);
    drawArea(picture, width, height, bands, {rightStart, topEnd, width, bottomStart}, settings);
}

}  // namespace

BitmapHandle applyFrame(BitmapHandle picture, int width, int height, const ConversionSettings& settings)
{
    if (settings.frameType == kNoFrame || !picture)
        return picture;
    picture = inTwentyFourBits(std::move(picture));
    if (picture && settings.frameType == kSolidFrame && width > 0 && height > 0)
        drawFrame(picture.get(), width, height, settings);
    return picture;
}
