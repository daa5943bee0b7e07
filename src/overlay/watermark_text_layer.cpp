#include "overlay/watermark_text_layer.h"

#include <FreeImage.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "overlay/drawing_handles.h"
#include "overlay/watermark_font.h"
#include "overlay/watermark_text_box.h"
#include "picture/colours.h"
#include "picture/picture_size.h"
#include "settings/conversion_settings.h"

namespace {

struct ObjectRelease {
    void operator()(void* object) const { g_object_unref(object); }
};
struct FontDescriptionRelease {
    void operator()(PangoFontDescription* font) const { pango_font_description_free(font); }
};
struct AttributesRelease {
    void operator()(PangoAttrList* attributes) const { pango_attr_list_unref(attributes); }
};
struct FontOptionsRelease {
    void operator()(cairo_font_options_t* options) const { cairo_font_options_destroy(options); }
};
struct GlibStringRelease {
    void operator()(gchar* text) const { g_free(text); }
};

using ContextHandle = std::unique_ptr<PangoContext, ObjectRelease>;
using LayoutHandle = std::unique_ptr<PangoLayout, ObjectRelease>;
using FontDescriptionHandle = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;
using AttributesHandle = std::unique_ptr<PangoAttrList, AttributesRelease>;
using FontOptionsHandle = std::unique_ptr<cairo_font_options_t, FontOptionsRelease>;

// Everything that lays out the lines in the watermark font.
struct TextSetup {
    FontOptionsHandle options;
    ContextHandle context;
    FontDescriptionHandle font;
    AttributesHandle attributes;
};

TextSetup makeTextSetup(const WatermarkFont& loaded, bool antialiased)
{
    TextSetup setup;
    setup.options.reset(cairo_font_options_create());
    cairo_font_options_set_antialias(setup.options.get(), antialiased ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    setup.context.reset(pango_font_map_create_context(pango_cairo_font_map_get_default()));
    pango_cairo_context_set_font_options(setup.context.get(), setup.options.get());

    setup.font.reset(pango_font_description_new());
    pango_font_description_set_family(setup.font.get(), loaded.family.c_str());
    pango_font_description_set_absolute_size(setup.font.get(), static_cast<double>(loaded.pixelSize) * PANGO_SCALE);
    pango_font_description_set_weight(setup.font.get(), loaded.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(setup.font.get(), loaded.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);

    setup.attributes.reset(pango_attr_list_new());
    if (loaded.underline)
        pango_attr_list_insert(setup.attributes.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (loaded.strikeout)
        pango_attr_list_insert(setup.attributes.get(), pango_attr_strikethrough_new(TRUE));
    return setup;
}

LayoutHandle layoutFor(const TextSetup& setup, const std::string& line)
{
    LayoutHandle layout(pango_layout_new(setup.context.get()));
    pango_layout_set_font_description(layout.get(), setup.font.get());
    pango_layout_set_attributes(layout.get(), setup.attributes.get());
    pango_layout_set_text(layout.get(), line.c_str(), static_cast<int>(line.size()));
    return layout;
}

MeasuredLine measure(PangoLayout* layout)
{
    MeasuredLine line;
    pango_layout_get_pixel_size(layout, &line.width, &line.height);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    line.exactWidth = static_cast<double>(logical.width) / PANGO_SCALE;
    return line;
}

bool drawable(const TextBox& box)
{
    return box.width > 0 && box.height > 0 && box.width <= kLargestSurfaceSide && box.height <= kLargestSurfaceSide &&
           box.width * box.height <= kLargestPicturePixels;
}

// How much of each pixel the glyphs (and their underline or strike) cover.
SurfaceHandle drawCoverage(const TextSetup& setup, const std::vector<LayoutHandle>& layouts, const TextBox& box,
                           bool antialiased)
{
    SurfaceHandle mask(
        cairo_image_surface_create(CAIRO_FORMAT_A8, static_cast<int>(box.width), static_cast<int>(box.height)));
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    CairoHandle cr(cairo_create(mask.get()));
    cairo_set_antialias(cr.get(), antialiased ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(cr.get(), setup.options.get());
    cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
    for (size_t i = 0; i < layouts.size(); ++i) {
        cairo_move_to(cr.get(), box.lineX[i], box.lineY[i]);
        pango_cairo_show_layout(cr.get(), layouts[i].get());
    }
    cairo_surface_flush(mask.get());
    return mask;
}

void writePixel(BYTE* pixel, const RgbaColour& colour)
{
    pixel[FI_RGBA_RED] = colour.red;
    pixel[FI_RGBA_GREEN] = colour.green;
    pixel[FI_RGBA_BLUE] = colour.blue;
    pixel[FI_RGBA_ALPHA] = colour.alpha;
}

// The text over the box. Without anti-aliasing a pixel is either text or box,
// each with its own opacity; with it, the text at coverage × text opacity is
// laid over the box at the back opacity.
RgbaColour mixPixel(int coverage, const RgbaColour& text, const RgbaColour& back, bool antialiased)
{
    if (!antialiased)
        return coverage >= 128 ? text : back;
    const double textAlpha = coverage / 255.0 * text.alpha / 255.0;
    const double backAlpha = back.alpha / 255.0;
    const double alpha = textAlpha + backAlpha * (1.0 - textAlpha);
    if (alpha <= 0.0)
        return {back.red, back.green, back.blue, 0};
    auto channel = [&](uint8_t over, uint8_t under) {
        return static_cast<uint8_t>(std::lround((over * textAlpha + under * backAlpha * (1.0 - textAlpha)) / alpha));
    };
    return {channel(text.red, back.red), channel(text.green, back.green), channel(text.blue, back.blue),
            static_cast<uint8_t>(std::lround(alpha * 255.0))};
}

FIBITMAP* composeLayer(cairo_surface_t* mask, bool antialiased, const ConversionSettings& s)
{
    const RgbaColour text = colourFromHex(s.wmFontColor, s.wmTextOpacity);
    const RgbaColour back = colourFromHex(s.wmBackColor, s.wmBackOpacity);
    const int width = cairo_image_surface_get_width(mask);
    const int height = cairo_image_surface_get_height(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    const unsigned char* coverage = cairo_image_surface_get_data(mask);
    FIBITMAP* layer = FreeImage_Allocate(width, height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!layer || !coverage)
        return layer;
    for (int row = 0; row < height; ++row) {
        const unsigned char* source = coverage + static_cast<size_t>(row) * stride;
        BYTE* target = FreeImage_GetScanLine(layer, height - 1 - row);
        for (int column = 0; column < width; ++column, target += 4)
            writePixel(target, mixPixel(source[column], text, back, antialiased));
    }
    return layer;
}

std::string validUtf8(const std::string& text)
{
    std::unique_ptr<gchar, GlibStringRelease> valid(g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size())));
    return valid ? std::string(valid.get()) : std::string();
}

}  // namespace

FIBITMAP* buildTextLayer(const std::string& text, const WatermarkFont& font, const ConversionSettings& settings)
{
    if (font.pixelSize <= 0 || font.pixelSize > kLargestSurfaceSide || text.empty())
        return nullptr;
    const bool antialiased = settings.wmTextAntialiasing != 0;
    const TextSetup setup = makeTextSetup(font, antialiased);

    std::vector<LayoutHandle> layouts;
    std::vector<MeasuredLine> measured;
    for (const std::string& line : splitWatermarkLines(validUtf8(text))) {
        layouts.push_back(layoutFor(setup, line));
        measured.push_back(measure(layouts.back().get()));
    }
    const TextBox box = layOutTextBox(measured, antialiased, settings);
    if (!drawable(box))
        return nullptr;
    SurfaceHandle mask = drawCoverage(setup, layouts, box, antialiased);
    return mask ? composeLayer(mask.get(), antialiased, settings) : nullptr;
}
