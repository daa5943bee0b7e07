#include "gui/widgets/preferences_panel.h"

#include <gtk/gtk.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>

#include "gui/widgets/accessible_name.h"
#include "settings/conversion_settings.h"

namespace {

// Sizes in pixels at 96 dpi.
constexpr int kMargin = 10;
constexpr int kPageWidth = 450;
constexpr int kPageHeight = 300;
constexpr int kScrollStep = 10;

}  // namespace

void enableRows(const std::vector<PreferenceRow>& rows, bool on)
{
    for (const PreferenceRow& row : rows)
        row.enable(on);
}

void showRows(const std::vector<PreferenceRow>& rows, bool on)
{
    for (const PreferenceRow& row : rows)
        row.show(on);
}

PreferencesPanel::PreferencesPanel(wxWindow* dialog, const char* key, PreferenceControls& controls)
    : controls_(controls), key_(key), page_(new wxPanel(dialog))
{
    page_->SetMinSize(page_->FromDIP(wxSize(kPageWidth, kPageHeight)));
    setAccessibleName(page_, preferencesText(key));
    page_->SetSizer(new wxBoxSizer(wxVERTICAL));
}

wxWindow* PreferencesPanel::sheet()
{
    if (sheet_)
        return sheet_;
    scrolled_ = new wxScrolledWindow(page_, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxBORDER_NONE);
    scrolled_->SetScrollRate(0, scrolled_->FromDIP(kScrollStep));
    // Its height is what the page leaves it, whatever its rows need.
    scrolled_->SetMinSize(wxSize(0, 0));
    // A scroll bar that shows all the time tells that the page goes on.
    if (GTK_IS_SCROLLED_WINDOW(scrolled_->GetHandle()))
        gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(scrolled_->GetHandle()), FALSE);
    page_->GetSizer()->Add(scrolled_, 1, wxEXPAND);
    sheet_ = new wxPanel(scrolled_);
    sheet_->SetSizer(new wxBoxSizer(wxVERTICAL));
    scrolled_->SetSizer(new wxBoxSizer(wxVERTICAL));
    scrolled_->GetSizer()->Add(sheet_, 0, wxEXPAND);
    return sheet_;
}

wxWindow* PreferencesPanel::window() const
{
    return page_;
}

void PreferencesPanel::push() const
{
    for (const ControlBinding& binding : bindings_)
        binding.push();
}

void PreferencesPanel::pull() const
{
    for (const ControlBinding& binding : bindings_)
        binding.pull();
}

void PreferencesPanel::applyRules()
{
    pull();
    showStates(preferenceStates(controls_));
    page_->Layout();
    if (scrolled_) {
        // The sheet's size follows the rows and panels shown.
        sheet_->InvalidateBestSize();
        scrolled_->FitInside();
        scrolled_->Layout();
    }
}

RowBuilder PreferencesPanel::rowsOn(wxWindow* panel, int topBorder)
{
    RowBuilder rows(panel, bindings_, [this] { applyRules(); });
    panel->GetSizer()->AddSpacer(panel->FromDIP(topBorder));
    panel->GetSizer()->Add(rows.grid(), 0, wxLEFT | wxRIGHT, panel->FromDIP(kMargin));
    return rows;
}

RowBuilder PreferencesPanel::fixedRows()
{
    return rowsOn(page_, kMargin);
}

RowBuilder PreferencesPanel::pageRows()
{
    return rowsOn(sheet(), kMargin);
}

wxWindow* PreferencesPanel::addSubPanel()
{
    auto* panel = new wxPanel(sheet());
    panel->SetSizer(new wxBoxSizer(wxVERTICAL));
    sheet()->GetSizer()->Add(panel, 0, wxEXPAND);
    return panel;
}

RowBuilder PreferencesPanel::subPanelRows(wxWindow* subPanel)
{
    return rowsOn(subPanel, kPreferenceRowGap);
}

PreferenceRow PreferencesPanel::addSetting(RowBuilder& rows, const SettingField& field)
{
    return addSetting(rows, *findSettingRow(field));
}

PreferenceRow PreferencesPanel::addSetting(RowBuilder& rows, const SettingRow& setting)
{
    const PreferenceSpec& shown = setting.preference;
    ControlValue& value = controls_.control(setting);
    switch (shown.kind) {
    case PreferenceKind::kNone: break;
    case PreferenceKind::kList: return rows.list(shown.label, *shown.items, std::get<int>(value));
    case PreferenceKind::kCheck: return rows.check(shown.label, std::get<bool>(value));
    case PreferenceKind::kPair: return rows.pair(shown.label, shown.range, std::get<int>(value));
    case PreferenceKind::kOffsetPair: return rows.offsetPair(shown.label, std::get<int>(value));
    case PreferenceKind::kGamma: return rows.gammaPair(shown.label, std::get<int>(value));
    case PreferenceKind::kNumber:
        return rows.number(shown.label, std::get<std::string>(value), *shown.items,
                           shown.unitSetting ? &controls_.value(shown.unitSetting) : nullptr);
    case PreferenceKind::kHexColour: return rows.hexColour(shown.label, std::get<std::string>(value));
    case PreferenceKind::kText: return rows.text(shown.label, std::get<std::string>(value));
    case PreferenceKind::kPicture: return rows.picture(shown.label, std::get<std::string>(value));
    case PreferenceKind::kDate: return rows.dateTime(shown.label, std::get<int>(value));
    case PreferenceKind::kColourList:
        return rows.colourList(shown.label, std::get<ColourChoice>(value), g_settings.*shown.choicesSetting);
    case PreferenceKind::kFontList:
        return rows.fontList(shown.label, std::get<FontChoice>(value), [this] { chooseFont(); });
    case PreferenceKind::kBitDepth: return rows.bitDepthList(std::get<BitDepthChoice>(value));
    }
    return {};
}

std::vector<PreferenceRow> PreferencesPanel::addSettings(RowBuilder& rows, std::initializer_list<SettingField> fields)
{
    std::vector<PreferenceRow> added;
    for (const SettingField& field : fields)
        added.push_back(addSetting(rows, field));
    return added;
}
