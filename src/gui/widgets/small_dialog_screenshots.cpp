#include "gui/widgets/small_dialog_screenshots.h"

#include <cairo.h>
#include <gtk/gtk.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include <wx/image.h>
#include <wx/log.h>

#include "gui/widgets/screenshots.h"
#include "gui/widgets/small_dialog_windows.h"
#include "gui/widgets/ui_wait.h"
#include "gui/widgets/wx_text.h"

namespace {

// The window as GTK draws it, into memory: no window manager, screen or
// overlapping window changes the picture.
wxImage drawnWindow(wxWindow& window)
{
    GtkWidget* widget = window.GetHandle();
    int width = gtk_widget_get_allocated_width(widget);
    int height = gtk_widget_get_allocated_height(widget);
    if (width <= 0 || height <= 0)
        return {};
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()), cairo_destroy);
    gtk_widget_draw(widget, cr.get());
    cairo_surface_flush(surface.get());

    wxImage image(width, height);
    const unsigned char* rows = cairo_image_surface_get_data(surface.get());
    int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, rows + y * stride + x * 4, sizeof pixel);
            image.SetRGB(x, y, (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
        }
    }
    return image;
}

bool savePicture(wxDialog& dialog, const std::string& path)
{
    dialog.CentreOnParent();
    dialog.Show();
    redrawFor(300);  // until GTK has laid the controls out
    wxImage picture = drawnWindow(dialog);
    dialog.Hide();
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxLogNull quiet;  // said once on standard error instead
    return reportPicture(picture.IsOk() && picture.SaveFile(toWx(path), wxBITMAP_TYPE_PNG), path);
}

}  // namespace

bool writeSmallDialogScreenshots(wxWindow* parent, const PictureSlots& pictures, const std::string& folder)
{
    AboutBox about(parent, pictures);
    bool allWritten = savePicture(about, folder + "about.png");
    CustomConverterDialog converter(parent);
    allWritten = savePicture(converter, folder + "custom-converter.png") && allWritten;
    UninstallPrompt prompt;
    return savePicture(prompt, folder + "uninstall.png") && allWritten;
}
