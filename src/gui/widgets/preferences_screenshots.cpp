#include "gui/widgets/preferences_screenshots.h"

#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/utils.h>

#include "gui/widgets/preferences_window.h"
#include "gui/widgets/screenshots.h"
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

wxChoice* findList(wxWindow* window, const wxString& name)
{
    for (wxWindow* child : window->GetChildren()) {
        if (auto* list = dynamic_cast<wxChoice*>(child); list && list->GetName() == name)
            return list;
        if (wxChoice* found = findList(child, name))
            return found;
    }
    return nullptr;
}

// Selects an item of the named list the way a click does, event included.
void chooseListItem(wxWindow* dialog, const wxString& name, int item)
{
    wxChoice* list = findList(dialog, name);
    if (!list)
        return;
    list->SetSelection(item);
    wxCommandEvent event(wxEVT_CHOICE, list->GetId());
    event.SetEventObject(list);
    event.SetInt(item);
    list->ProcessWindowEvent(event);
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

bool writePreferencesScreenshots(wxWindow* parent, const PictureSlots& pictures, const std::string& folder)
{
    bool allWritten = true;
    const std::string prefix = folder + (endsWith(folder, "/") ? "" : "/") + "preferences-";
    PreferencesDialog dialog(parent, PreferencesPage::General, pictures);
    dialog.Show();
    settle();
    for (int page = 0; page < PreferencesDialog::kPageCount; ++page) {
        dialog.showPage(page);
        settle();
        const std::string path = prefix + toLowerAscii(dialog.pageKey(page)) + ".png";
        allWritten = reportPicture(saveWindowPicture(&dialog, path), path) && allWritten;
    }
    // The panels that only a choice on their page brings up, chosen as a
    // user would: the dialog's controls change, the settings do not.
    const struct {
        int page;
        const char* list;
        int item;
        const char* name;
    } panels[] = {
        {PreferencesDialog::kFrame, "Frame Type", 1, "frame-solid"},
        {PreferencesDialog::kWatermark, "Watermark Type", 1, "watermark-text"},
        {PreferencesDialog::kWatermark, "Watermark Type", 2, "watermark-picture"},
    };
    for (const auto& panel : panels) {
        dialog.showPage(panel.page);
        chooseListItem(&dialog, rowName(panel.list), panel.item);
        settle();
        const std::string path = prefix + panel.name + ".png";
        allWritten = reportPicture(saveWindowPicture(&dialog, path), path) && allWritten;
    }
    dialog.Hide();
    return allWritten;
}
