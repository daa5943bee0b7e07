#include "gui/widgets/native_window.h"

#include <gtk/gtk.h>
#include <wx/toplevel.h>
#include <wx/window.h>

wxSize innerWindowSize(wxTopLevelWindow* window)
{
    int width = 0;
    int height = 0;
    gtk_window_get_size(GTK_WINDOW(window->GetHandle()), &width, &height);
    return wxSize(width, height);
}

bool saveWindowPicture(wxTopLevelWindow* window, const std::string& pngPath)
{
    GtkWidget* widget = window->GetHandle();
    const int width = gtk_widget_get_allocated_width(widget);
    const int height = gtk_widget_get_allocated_height(widget);
    if (width <= 1 || height <= 1)
        return false;
    const int scale = gtk_widget_get_scale_factor(widget);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
    cairo_surface_set_device_scale(surface, scale, scale);
    cairo_t* context = cairo_create(surface);
    gtk_widget_draw(widget, context);
    cairo_destroy(context);
    const bool written = cairo_surface_write_to_png(surface, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

void makeCompactButton(wxWindow* button)
{
    // One style for the process, as long-lived as the toolkit.
    static GtkCssProvider* const compact = [] {
        GtkCssProvider* provider = gtk_css_provider_new();
        gtk_css_provider_load_from_data(provider, "button { padding: 3px; min-width: 0; min-height: 0; }", -1, nullptr);
        return provider;
    }();
    gtk_style_context_add_provider(gtk_widget_get_style_context(button->GetHandle()), GTK_STYLE_PROVIDER(compact),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    button->InvalidateBestSize();
}
