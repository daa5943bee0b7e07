#include "gui/widgets/preferences_screenshots.h"

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/utils.h>

#include "gui/widgets/preferences_window.h"
#include "platform/text.h"

namespace {

// Lets the toolkit lay out and draw what changed.
void settle()
{
    for (int i = 0; i < 10; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(20);
    }
}

bool saveWindowPicture(wxWindow* window, const std::string& path)
{
    GdkWindow* surface = gtk_widget_get_window(window->GetHandle());
    if (!surface)
        return false;
    GdkPixbuf* picture =
        gdk_pixbuf_get_from_window(surface, 0, 0, gdk_window_get_width(surface), gdk_window_get_height(surface));
    if (!picture)
        return false;
    const bool saved = gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, nullptr);
    g_object_unref(picture);
    return saved;
}

}  // namespace

void writePreferencesScreenshots(wxWindow* parent, const std::string& folder)
{
    const std::string prefix = folder + (endsWith(folder, "/") ? "" : "/") + "preferences-";
    PreferencesDialog dialog(parent, PreferencesPage::General);
    dialog.Show();
    settle();
    for (int page = 0; page < PreferencesDialog::kPageCount; ++page) {
        dialog.showPage(page);
        settle();
        saveWindowPicture(&dialog, prefix + toLowerAscii(PreferencesDialog::kPageKeys[page]) + ".png");
    }
    // The panels that only a choice on their page brings up; the dialog's
    // record changes, the settings do not.
    const struct {
        int page;
        const char* name;
        void (*choose)(PreferenceControls&);
    } panels[] = {
        {PreferencesDialog::kFrame, "frame-solid", [](PreferenceControls& c) { c.frameType = 1; }},
        {PreferencesDialog::kWatermark, "watermark-text", [](PreferenceControls& c) { c.watermarkType = 1; }},
        {PreferencesDialog::kWatermark, "watermark-picture", [](PreferenceControls& c) { c.watermarkType = 2; }},
    };
    for (const auto& panel : panels) {
        dialog.changeControls(panel.choose);
        dialog.showPage(panel.page);
        settle();
        saveWindowPicture(&dialog, prefix + panel.name + ".png");
    }
    dialog.Hide();
}
