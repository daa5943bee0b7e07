#include "gui/theme_contact_sheet.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <pango/pangocairo.h>

#include "gui/theme_packages.h"
#include "overlay/drawing_handles.h"
#include "platform/atomic_file.h"
#include "platform/text.h"
#include "platform/zip_archive.h"

namespace {

constexpr std::array kIconSizes = {16, 24, 32, 48, 64};
constexpr int kMargin = 16;
constexpr int kTitleHeight = 40;
constexpr int kButtonCell = 110;
constexpr int kLabelWidth = 130;
constexpr int kIconCell = 72;
constexpr int kHeaderHeight = 24;
// The icons stand in two blocks side by side, so the sheet stays viewable.
constexpr int kBlocks = 2;
constexpr int kBlockWidth = kLabelWidth + static_cast<int>(kIconSizes.size()) * kIconCell;

struct ByteReader {
    const std::vector<unsigned char>* bytes;
    size_t at = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length)
{
    auto* reader = static_cast<ByteReader*>(closure);
    if (reader->bytes->size() - reader->at < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader->bytes->data() + reader->at, length);
    reader->at += length;
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// One line whose baseline starts at x, y.
void text(cairo_t* cr, double x, double y, double size, const std::string& line)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, "Sans");
    pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    pango_layout_set_text(layout, line.c_str(), static_cast<int>(line.size()));
    cairo_set_source_rgb(cr, 0.12, 0.16, 0.23);
    cairo_move_to(cr, x, y - static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
}

// The picture centred in the cell at its own size, or shrunk to fit; a red
// cross where there is no picture or it does not decode.
void drawCell(cairo_t* cr, double x, double y, double side, const std::vector<unsigned char>* png)
{
    cairo_set_source_rgb(cr, 0.95, 0.96, 0.97);
    cairo_rectangle(cr, x + 2, y + 2, side - 4, side - 4);
    cairo_fill(cr);
    SurfaceHandle picture;
    if (png) {
        ByteReader reader{png};
        picture.reset(cairo_image_surface_create_from_png_stream(readBytes, &reader));
    }
    if (!picture || cairo_surface_status(picture.get()) != CAIRO_STATUS_SUCCESS) {
        cairo_set_source_rgb(cr, 0.86, 0.15, 0.15);
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, x + side * 0.3, y + side * 0.3);
        cairo_line_to(cr, x + side * 0.7, y + side * 0.7);
        cairo_move_to(cr, x + side * 0.7, y + side * 0.3);
        cairo_line_to(cr, x + side * 0.3, y + side * 0.7);
        cairo_stroke(cr);
        return;
    }
    const double width = cairo_image_surface_get_width(picture.get());
    const double height = cairo_image_surface_get_height(picture.get());
    const double scale = std::min({1.0, (side - 8) / width, (side - 8) / height});
    cairo_save(cr);
    cairo_translate(cr, x + (side - width * scale) / 2, y + (side - height * scale) / 2);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, picture.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

const std::vector<unsigned char>* pictureOf(const PictureSlots& slots, int slot)
{
    auto found = slots.find(slot);
    return found == slots.end() ? nullptr : &found->second;
}

}  // namespace

ContactSheetOutcome writeThemeContactSheet(const std::string& packagePath, const std::string& pngPath)
{
    if (!listZipEntries(packagePath))
        return ContactSheetOutcome::PackageUnreadable;
    const std::string fileName = fileNameOf(packagePath);
    const std::string key = fileName.substr(0, fileName.rfind('.'));
    const std::string name = themeDisplayName(folderOf(packagePath), key);

    const int rows = static_cast<int>((smallIconTable.size() + kBlocks - 1) / kBlocks);
    const int width = 2 * kMargin + kBlocks * kBlockWidth + (kBlocks - 1) * kMargin;
    const int gridTop = kMargin + kTitleHeight + kButtonCell + kHeaderHeight;
    const int height = gridTop + rows * kIconCell + kMargin;
    SurfaceHandle sheet = createTransparentSurface(width, height);
    if (!sheet)
        return ContactSheetOutcome::NotWritten;
    CairoHandle cr(cairo_create(sheet.get()));
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    text(cr.get(), kMargin, kMargin + 26, 22, name + " (" + key + ")");

    const PictureSlots buttons = readPackagePictures(packagePath, {{&buttonImageTable, "Buttons", 16}});
    for (size_t i = 0; i < buttonImageTable.size(); ++i) {
        const double x = kMargin + static_cast<double>(i) * (kButtonCell + kLabelWidth);
        const double y = kMargin + kTitleHeight;
        drawCell(cr.get(), x, y, kButtonCell, pictureOf(buttons, buttonImageTable[i].slot));
        text(cr.get(), x + kButtonCell + 8, y + kButtonCell / 2.0, 14, buttonImageTable[i].name);
    }

    for (size_t s = 0; s < kIconSizes.size(); ++s) {
        const PictureSlots icons = readPackagePictures(packagePath, {{&sizedIconTable, "Icons", kIconSizes[s]}});
        for (size_t i = 0; i < sizedIconTable.size(); ++i) {
            const int block = static_cast<int>(i) / rows;
            const double left = kMargin + block * (kBlockWidth + kMargin);
            const double y = gridTop + (static_cast<int>(i) % rows) * kIconCell;
            const double x = left + kLabelWidth + static_cast<double>(s) * kIconCell;
            if (s == 0)
                text(cr.get(), left, y + kIconCell / 2.0 + 5, 14, sizedIconTable[i].name);
            if (i % rows == 0)
                text(cr.get(), x + kIconCell / 2.0 - 8, gridTop - 6, 12, std::to_string(kIconSizes[s]));
            drawCell(cr.get(), x, y, kIconCell, pictureOf(icons, sizedIconTable[i].slot));
        }
    }

    cr.reset();
    std::string png;
    if (cairo_surface_write_to_png_stream(sheet.get(), appendBytes, &png) != CAIRO_STATUS_SUCCESS ||
        !replaceFileAtomically(pngPath, png).written)
        return ContactSheetOutcome::NotWritten;
    return ContactSheetOutcome::Written;
}
