#pragma once

#include <memory>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dialog.h>

#include "gui/preference_controls.h"
#include "gui/widgets/preferences_dialog.h"
#include "gui/widgets/preferences_panel.h"

class wxListBox;
class wxStaticText;

// The preferences: a page list, the title of the page shown, the nine pages,
// and Defaults, OK and Cancel. The pages' controls edit a record of their
// values; only OK and Defaults reach the settings.
class PreferencesDialog : public wxDialog {
public:
    enum Page { kGeneral, kInterface, kInput, kOutput, kTransform, kAdjustment, kFrame, kWatermark, kAdvanced };
    static constexpr int kPageCount = kAdvanced + 1;

    PreferencesDialog(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures);

    void showPage(int page);
    // The catalogue key of a page, also its name.
    const char* pageKey(int page) const { return pages_.at(page)->key(); }
    InterfaceRefresh refresh() const { return refresh_; }

private:
    PreferenceControls controls_;
    wxBitmap formatPicture_;  // beside each item of the format lists
    std::vector<std::unique_ptr<PreferencesPanel>> pages_;
    InterfaceRefresh refresh_ = InterfaceRefresh::kNothing;
    wxListBox* pageList_ = nullptr;
    wxStaticText* title_ = nullptr;

    void onOk();
    void onDefaults();
};
