#include "gui/widgets/native_window.h"

#include <gtk/gtk.h>
#include <wx/gauge.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include <algorithm>
#include <cstdio>

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

namespace {

const char* const kBlockStyleKey = "korvane-gauge-block";
// While it shows a block the gauge counts in thousandths and stands at one:
// above nothing, since a theme may hide the fill of an empty bar, yet too
// little to widen the block.
constexpr int kBlockRange = 1000;

// The gauge's own style for its block, made at its first use and freed with
// the gauge; nullptr when none was made and create is false.
GtkCssProvider* blockStyle(wxGauge* gauge, bool create)
{
    GObject* widget = G_OBJECT(gauge->GetHandle());
    auto* provider = static_cast<GtkCssProvider*>(g_object_get_data(widget, kBlockStyleKey));
    if (provider == nullptr && create) {
        provider = gtk_css_provider_new();
        gtk_style_context_add_provider(gtk_widget_get_style_context(gauge->GetHandle()), GTK_STYLE_PROVIDER(provider),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_set_data_full(widget, kBlockStyleKey, provider, g_object_unref);
    }
    return provider;
}

}  // namespace

// GTK draws a bar's fill from its left end, as wide as the fill's least
// width and its share of the rest. With next to no share, the fill is its
// least width: a margin moves it along the bar and min-width sets how wide it
// is. Both are reckoned on the gauge's whole width; the trough's edge makes
// that a pixel or two off at most.
void showGaugeBlock(wxGauge* gauge, int from, int to, int range)
{
    range = std::max(range, 1);
    from = std::clamp(from, 0, range);
    to = std::clamp(to, from, range);
    const int width = gauge->GetSize().x;
    char css[96];
    std::snprintf(css, sizeof css, "progress { margin-left: %dpx; min-width: %dpx; }", from * width / range,
                  (to - from) * width / range);
    gtk_css_provider_load_from_data(blockStyle(gauge, true), css, -1, nullptr);
    if (gauge->GetRange() != kBlockRange)
        gauge->SetRange(kBlockRange);
    gauge->SetValue(1);
}

void showGaugeFill(wxGauge* gauge, int value, int range)
{
    if (GtkCssProvider* provider = blockStyle(gauge, false))
        gtk_css_provider_load_from_data(provider, "", -1, nullptr);
    range = std::max(range, 1);
    if (gauge->GetRange() != range)
        gauge->SetRange(range);
    gauge->SetValue(std::clamp(value, 0, range));
}
