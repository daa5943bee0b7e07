#include "gui/widgets/preferences_dialog.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/theme_packages.h"
#include "gui/widgets/accessible_name.h"
#include "gui/widgets/catalogue_text.h"
#include "gui/widgets/picture_bitmaps.h"
#include "gui/widgets/preferences_pages.h"
#include "gui/widgets/preferences_window.h"
#include "gui/widgets/warning_box.h"
#include "platform/files.h"
#include "settings/catalogue.h"

namespace {

// Sizes in pixels at 96 dpi.
constexpr int kDialogWidth = 600;
constexpr int kMargin = 10;
constexpr int kPageListWidth = 120;
constexpr int kButtonWidth = 80;

// The theme packages beside the program, each key with its display name.
std::vector<std::pair<std::string, std::string>> installedThemes()
{
    const ThemeList themes = scanThemePackages(themeFolder(executableFolder()));
    return {themes.begin(), themes.end()};
}

}  // namespace

PreferencesDialog::PreferencesDialog(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures)
    : wxDialog(parent, wxID_ANY, catalogueText("Preferences", "Title"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      controls_(loadPreferenceControls(g_settings, installedThemes())),
      formatPicture_(tableBitmap(pictures, smallIconTable, "New", FromDIP(16)))
{
    pageList_ = new wxListBox(this, wxID_ANY);
    setAccessibleName(pageList_, catalogueText("Preferences", "Title"));
    pageList_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) { showPage(event.GetSelection()); });

    auto* header = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE);
    header->SetBackgroundColour(*wxWHITE);
    title_ = new wxStaticText(header, wxID_ANY, wxEmptyString);
    title_->SetFont(GetFont().Bold().Scaled(1.25f));
    title_->SetBackgroundColour(*wxWHITE);
    auto* headerSizer = new wxBoxSizer(wxHORIZONTAL);
    headerSizer->Add(title_, 1, wxALL, FromDIP(6));
    header->SetSizer(headerSizer);

    // In the order of Page.
    pages_.push_back(std::make_unique<GeneralPage>(this, controls_));
    pages_.push_back(std::make_unique<InterfacePage>(this, controls_));
    pages_.push_back(std::make_unique<InputPage>(this, controls_, formatPicture_));
    pages_.push_back(std::make_unique<OutputPage>(this, controls_, formatPicture_));
    pages_.push_back(std::make_unique<TransformPage>(this, controls_));
    pages_.push_back(std::make_unique<AdjustmentPage>(this, controls_));
    pages_.push_back(std::make_unique<FramePage>(this, controls_));
    pages_.push_back(std::make_unique<WatermarkPage>(this, controls_));
    pages_.push_back(std::make_unique<AdvancedPage>(this, controls_));
    for (const auto& page : pages_)
        pageList_->Append(preferencesText(page->key()));

    AccessKeyGroup keys;
    const wxSize buttonSize = FromDIP(wxSize(kButtonWidth, -1));
    auto* defaults =
        new wxButton(this, wxID_ANY, catalogueLabel("Dialog", "Defaults", keys), wxDefaultPosition, buttonSize);
    auto* ok = new wxButton(this, wxID_OK, catalogueLabel("Dialog", "OK", keys), wxDefaultPosition, buttonSize);
    auto* cancel =
        new wxButton(this, wxID_CANCEL, catalogueLabel("Dialog", "Cancel", keys), wxDefaultPosition, buttonSize);
    defaults->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onDefaults(); });
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onOk(); });

    auto* pageArea = new wxBoxSizer(wxVERTICAL);
    pageArea->Add(header, 0, wxEXPAND);
    for (const auto& page : pages_)
        pageArea->Add(page->window(), 1, wxEXPAND | wxTOP, FromDIP(kMargin));
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(pageList_, 0, wxEXPAND | wxRIGHT, FromDIP(kMargin));
    body->Add(pageArea, 1, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(defaults);
    buttons->AddStretchSpacer();
    buttons->Add(ok, 0, wxRIGHT, FromDIP(kMargin));
    buttons->Add(cancel);
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(body, 1, wxEXPAND | wxALL, FromDIP(kMargin));
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(kMargin));
    pageList_->SetMinSize(FromDIP(wxSize(kPageListWidth, -1)));
    SetSizer(all);

    for (const auto& page : pages_) {
        page->push();
        page->applyRules();
    }
    showPage(firstPage == PreferencesPage::Output ? kOutput : kGeneral);
    Layout();
    Fit();
    SetClientSize(FromDIP(kDialogWidth), GetClientSize().y);
    CentreOnParent();
    CallAfter([this] { pageList_->SetFocus(); });
}

void PreferencesDialog::showPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    pageList_->SetSelection(page);
    title_->SetLabel(preferencesText(pages_[page]->key()));
    for (int i = 0; i < kPageCount; ++i)
        pages_[i]->window()->Show(i == page);
    Layout();
}

void PreferencesDialog::onOk()
{
    for (const auto& page : pages_)
        page->pull();
    refresh_ = applyPreferences(controls_);
    EndModal(wxID_OK);
}

void PreferencesDialog::onDefaults()
{
    if (!showMessageBox(this, lookupText("Msg", "Ask reset to defaults"), lookupText("Msg", "Reset to Defaults"),
                        MessageKind::Question, true))
        return;
    const wxRect desktop = wxDisplay(static_cast<unsigned>(0)).GetGeometry();
    refresh_ = applyDefaultPreferences({desktop.width, desktop.height});
    EndModal(wxID_OK);
}

InterfaceRefresh openPreferences(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures)
{
    PreferencesDialog dialog(parent, firstPage, pictures);
    dialog.ShowModal();
    return dialog.refresh();
}
