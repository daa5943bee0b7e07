#include "gui/widgets/preferences_dialog.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/fontdlg.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "engine/job_state.h"
#include "gui/preference_rules.h"
#include "gui/theme_packages.h"
#include "gui/widgets/accessible_name.h"
#include "gui/widgets/picture_bitmaps.h"
#include "gui/widgets/preferences_window.h"
#include "gui/widgets/wx_text.h"
#include "platform/text.h"
#include "settings/catalogue.h"

namespace {

using S = ConversionSettings;

// Sizes in pixels at 96 dpi.
constexpr int kDialogWidth = 600;
constexpr int kMargin = 10;
constexpr int kPageListWidth = 120;
constexpr int kPageWidth = 450;
constexpr int kPageHeight = 300;
constexpr int kButtonWidth = 80;

wxString dialogText(const char* key)
{
    return toWx(lookupText("Dialog", key));
}

std::vector<wxString> upperCased(const std::vector<std::string>& formats)
{
    std::vector<wxString> items;
    for (const std::string& format : formats)
        items.push_back(toWx(toUpperAscii(format)));
    return items;
}

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

// The theme packages beside the program, each key with its display name.
std::vector<std::pair<std::string, std::string>> installedThemes()
{
    const ThemeList themes = scanThemePackages(themeFolder(g_job.programFolder));
    return {themes.begin(), themes.end()};
}

}  // namespace

const char* const PreferencesDialog::kPageKeys[kPageCount] = {
    "General", "Interface", "Input", "Output", "Transform", "Adjustment", "Frame", "Watermark", "Advanced",
};

PreferencesDialog::PreferencesDialog(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures)
    : wxDialog(parent, wxID_ANY, toWx(lookupText("Preferences", "Title")), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      m_controls(loadPreferenceControls(g_settings, installedThemes())),
      m_formatPicture(tableBitmap(pictures, smallIconTable, "New", FromDIP(16)))
{
    m_pageList = new wxListBox(this, wxID_ANY);
    for (const char* key : kPageKeys)
        m_pageList->Append(catalogueText(key));
    setAccessibleName(m_pageList, toWx(lookupText("Preferences", "Title")));
    m_pageList->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& event) { showPage(event.GetSelection()); });

    auto* header = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SIMPLE);
    header->SetBackgroundColour(*wxWHITE);
    m_title = new wxStaticText(header, wxID_ANY, wxEmptyString);
    m_title->SetFont(GetFont().Bold().Scaled(1.25f));
    m_title->SetBackgroundColour(*wxWHITE);
    auto* headerSizer = new wxBoxSizer(wxHORIZONTAL);
    headerSizer->Add(m_title, 1, wxALL, FromDIP(6));
    header->SetSizer(headerSizer);

    buildGeneralPage();
    buildInterfacePage();
    buildInputPage();
    buildOutputPage();
    buildTransformPage();
    buildAdjustmentPage();
    buildFramePage();
    buildWatermarkPage();
    buildAdvancedPage();

    auto* defaults =
        new wxButton(this, wxID_ANY, dialogText("Defaults"), wxDefaultPosition, FromDIP(wxSize(kButtonWidth, -1)));
    auto* ok = new wxButton(this, wxID_OK, dialogText("OK"), wxDefaultPosition, FromDIP(wxSize(kButtonWidth, -1)));
    auto* cancel =
        new wxButton(this, wxID_CANCEL, dialogText("Cancel"), wxDefaultPosition, FromDIP(wxSize(kButtonWidth, -1)));
    defaults->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onDefaults(); });
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onOk(); });

    auto* pageArea = new wxBoxSizer(wxVERTICAL);
    pageArea->Add(header, 0, wxEXPAND);
    for (wxScrolledWindow* page : m_pages)
        pageArea->Add(page, 1, wxEXPAND | wxTOP, FromDIP(kMargin));
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(m_pageList, 0, wxEXPAND | wxRIGHT, FromDIP(kMargin));
    body->Add(pageArea, 1, wxEXPAND);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(defaults);
    buttons->AddStretchSpacer();
    buttons->Add(ok, 0, wxRIGHT, FromDIP(kMargin));
    buttons->Add(cancel);
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(body, 1, wxEXPAND | wxALL, FromDIP(kMargin));
    all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(kMargin));
    m_pageList->SetMinSize(FromDIP(wxSize(kPageListWidth, -1)));
    SetSizer(all);

    pushControls();
    applyStates();
    const int first = firstPage == PreferencesPage::Output ? kOutput : kGeneral;
    showPage(first);
    Layout();
    Fit();
    SetClientSize(FromDIP(kDialogWidth), GetClientSize().y);
    CentreOnParent();
    CallAfter([this] { m_pageList->SetFocus(); });
}

wxWindow* PreferencesDialog::addPage()
{
    auto* page = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxBORDER_NONE);
    page->SetScrollRate(0, FromDIP(10));
    page->SetMinSize(FromDIP(wxSize(kPageWidth, kPageHeight)));
    // A scroll bar that shows all the time tells that the page goes on.
    if (GTK_IS_SCROLLED_WINDOW(page->GetHandle()))
        gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(page->GetHandle()), FALSE);
    setAccessibleName(page, catalogueText(kPageKeys[m_pages.size()]));
    page->SetSizer(new wxBoxSizer(wxVERTICAL));
    m_pages.push_back(page);
    return page;
}

RowBuilder PreferencesDialog::rowsOn(wxWindow* panel, int topBorder)
{
    RowBuilder rows(panel, m_bindings, [this] { applyStates(); });
    panel->GetSizer()->AddSpacer(FromDIP(topBorder));
    panel->GetSizer()->Add(rows.grid(), 0, wxLEFT | wxRIGHT, FromDIP(kMargin));
    return rows;
}

// The rows of a panel under a page's first row continue that row's spacing.
RowBuilder PreferencesDialog::rowsOnSubPanel(wxWindow* panel)
{
    return rowsOn(panel, kPreferenceRowGap);
}

// A panel under the page's first row that a choice in that row shows.
wxWindow* PreferencesDialog::addSubPanel(wxWindow* page)
{
    auto* panel = new wxPanel(page);
    panel->SetSizer(new wxBoxSizer(wxVERTICAL));
    page->GetSizer()->Add(panel, 0, wxEXPAND);
    return panel;
}

PreferenceRow PreferencesDialog::addSetting(RowBuilder& rows, const SettingField& field)
{
    return addSetting(rows, *findSettingRow(field));
}

// The row a setting's preferences kind asks for, bound to its control.
PreferenceRow PreferencesDialog::addSetting(RowBuilder& rows, const SettingRow& setting)
{
    const PreferenceSpec& shown = setting.preference;
    ControlValue& value = m_controls.control(setting);
    switch (shown.kind) {
    case PreferenceKind::kNone: break;
    case PreferenceKind::kList: return rows.list(shown.label, *shown.items, std::get<int>(value));
    case PreferenceKind::kCheck: return rows.check(shown.label, std::get<bool>(value));
    case PreferenceKind::kPair: return rows.pair(shown.label, shown.range, std::get<int>(value));
    case PreferenceKind::kOffsetPair: return rows.offsetPair(shown.label, std::get<int>(value));
    case PreferenceKind::kGamma: return rows.gammaPair(shown.label, std::get<int>(value));
    case PreferenceKind::kNumber:
        return rows.number(shown.label, std::get<std::string>(value), *shown.items,
                           shown.unitSetting ? &m_controls.value(shown.unitSetting) : nullptr);
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

void PreferencesDialog::addSettings(RowBuilder& rows, std::initializer_list<SettingField> fields)
{
    for (const SettingField& field : fields)
        addSetting(rows, field);
}

void PreferencesDialog::buildGeneralPage()
{
    RowBuilder rows = rowsOn(addPage(), kMargin);
    rows.plainList("Language", {"English"}, m_languageItem);
    addSetting(rows, &S::updateRange);
    addSetting(rows, &S::saveWindowPosition);
}

void PreferencesDialog::buildInterfacePage()
{
    RowBuilder rows = rowsOn(addPage(), kMargin);
    std::vector<wxString> themes;
    for (const ThemeItem& theme : m_controls.themes)
        themes.push_back(theme.key.empty() ? catalogueText(theme.name.c_str()) : toWx(theme.name));
    rows.plainList("UI Theme", themes, m_controls.theme);
    addSetting(rows, &S::uiSize);
}

// A format list over one sub-panel per format, of which the selected one
// shows: the rows of the format's options in the order of the settings table.
void PreferencesDialog::buildFormatPage(const char* label, FormatSide side, const std::vector<std::string>& formats,
                                        int& selected, std::map<std::string, wxWindow*>& panels)
{
    wxWindow* page = addPage();
    RowBuilder rows = rowsOn(page, kMargin);
    rows.pictureList(label, upperCased(formats), m_formatPicture, selected);
    for (const std::string& format : formats) {
        wxWindow* panel = addSubPanel(page);
        RowBuilder panelRows = rowsOnSubPanel(panel);
        for (const SettingRow& setting : settingRows())
            if (isOptionOf(setting, side, format) && setting.preference.kind != PreferenceKind::kNone)
                m_formatRows[&setting] = addSetting(panelRows, setting);
        panels[format] = panel;
    }
}

// The rows of those options that were built, the formats being offered.
std::vector<PreferenceRow> PreferencesDialog::formatRowsOf(std::initializer_list<SettingField> fields) const
{
    std::vector<PreferenceRow> rows;
    for (const SettingField& field : fields)
        if (const auto built = m_formatRows.find(findSettingRow(field)); built != m_formatRows.end())
            rows.push_back(built->second);
    return rows;
}

void PreferencesDialog::buildInputPage()
{
    buildFormatPage("Input Format", FormatSide::kInput, m_controls.inputFormats, m_controls.inputFormat, m_inputPanels);
    m_rawSizeRows = formatRowsOf({&S::rawHeaderSize, &S::rawWidth, &S::rawHeight});
    m_rawToneMappingRows = formatRowsOf({&S::rawToneMapping});
}

void PreferencesDialog::buildOutputPage()
{
    buildFormatPage("Output Format", FormatSide::kOutput, m_controls.outputFormats, m_controls.outputFormat,
                    m_outputPanels);
}

void PreferencesDialog::buildTransformPage()
{
    RowBuilder rows = rowsOn(addPage(), kMargin);
    addSetting(rows, &S::rotateEnabled);
    m_rotationRows.push_back(addSetting(rows, &S::rotationType));
    m_rotationRows.push_back(addSetting(rows, &S::rotationAngle));
    m_rotationRows.push_back(addSetting(rows, &S::rotationBackColor));
    addSetting(rows, &S::resizeEnabled);
    m_resizeRows.push_back(addSetting(rows, &S::resizeWidth));
    m_resizeRows.push_back(addSetting(rows, &S::resizeHeight));
    m_resizeRows.push_back(addSetting(rows, &S::keepAspectRatio));
    m_resizeRows.push_back(addSetting(rows, &S::resizeType));
    m_resizeRows.push_back(addSetting(rows, &S::resizeAlgorithm));
    addSetting(rows, &S::flipHorizontal);
    addSetting(rows, &S::flipVertical);
}

void PreferencesDialog::buildAdjustmentPage()
{
    RowBuilder rows = rowsOn(addPage(), kMargin);
    addSettings(rows, {&S::brightness, &S::contrast, &S::gamma, &S::invert, &S::greyscale, &S::thresholdEnabled});
    m_thresholdRows.push_back(addSetting(rows, &S::threshold));
    addSetting(rows, &S::ditherEnabled);
    m_ditherRows.push_back(addSetting(rows, &S::ditherAlgorithm));
}

void PreferencesDialog::buildFramePage()
{
    wxWindow* page = addPage();
    RowBuilder typeRow = rowsOn(page, kMargin);
    addSetting(typeRow, &S::frameType);
    m_frameSolidPanel = addSubPanel(page);
    RowBuilder rows = rowsOnSubPanel(m_frameSolidPanel);
    addSettings(rows, {&S::frameLeft, &S::frameRight, &S::frameTop, &S::frameBottom, &S::frameLeftColor,
                       &S::frameRightColor, &S::frameTopColor, &S::frameBottomColor, &S::frameOpacity});
}

void PreferencesDialog::buildWatermarkPage()
{
    wxWindow* page = addPage();
    RowBuilder typeRow = rowsOn(page, kMargin);
    addSetting(typeRow, &S::watermarkType);

    m_watermarkTextPanel = addSubPanel(page);
    RowBuilder text = rowsOnSubPanel(m_watermarkTextPanel);
    addSettings(text, {&S::wmText, &S::wmFont, &S::wmFontSize, &S::wmFontLeading, &S::wmFontColor, &S::wmFontStyle,
                       &S::wmFontEffect, &S::wmTextAntialiasing, &S::wmTextAlignment, &S::wmTextPadding,
                       &S::wmTextOpacity, &S::wmBackColor, &S::wmBackOpacity, &S::wmTextBoundary, &S::wmTextPosition,
                       &S::wmTextXOffset, &S::wmTextYOffset, &S::wmTextRotation, &S::wmTextSize});
    m_textScaleRows.push_back(addSetting(text, &S::wmTextScale));

    m_watermarkImagePanel = addSubPanel(page);
    RowBuilder image = rowsOnSubPanel(m_watermarkImagePanel);
    addSettings(image, {&S::wmImage, &S::wmImageGreyscale, &S::wmImageOpacity, &S::wmImageBoundary, &S::wmImagePosition,
                        &S::wmImageXOffset, &S::wmImageYOffset, &S::wmImageRotation, &S::wmImageSize});
    m_imageScaleRows.push_back(addSetting(image, &S::wmImageScale));
}

void PreferencesDialog::buildAdvancedPage()
{
    RowBuilder rows = rowsOn(addPage(), kMargin);
    addSetting(rows, &S::filenameMask);
    addSetting(rows, &S::fileTimestamp);
    m_customTimestampRows.push_back(addSetting(rows, &S::customTimestamp));
    addSetting(rows, &S::outFoldersHistory);
    addSetting(rows, &S::outFoldersNumber);
}

void PreferencesDialog::showPage(int page)
{
    if (page < 0 || page >= kPageCount)
        return;
    m_pageList->SetSelection(page);
    m_title->SetLabel(catalogueText(kPageKeys[page]));
    for (int i = 0; i < kPageCount; ++i)
        m_pages[i]->Show(i == page);
    Layout();
}

void PreferencesDialog::pullControls()
{
    for (const ControlBinding& binding : m_bindings)
        binding.pull();
}

void PreferencesDialog::pushControls()
{
    for (const ControlBinding& binding : m_bindings)
        binding.push();
}

void PreferencesDialog::applyStates()
{
    pullControls();
    const PreferenceStates states = preferenceStates(m_controls);
    enableRows(m_rotationRows, states.rotationRows);
    enableRows(m_resizeRows, states.resizeRows);
    enableRows(m_thresholdRows, states.thresholdRow);
    enableRows(m_ditherRows, states.ditherRow);
    enableRows(m_rawSizeRows, states.rawSizeRows);
    enableRows(m_rawToneMappingRows, states.rawToneMappingRow);
    enableRows(m_customTimestampRows, states.customTimestampRow);
    showRows(m_textScaleRows, states.textScaleRow);
    showRows(m_imageScaleRows, states.imageScaleRow);
    for (const auto& [format, panel] : m_inputPanels)
        panel->Show(format == states.inputPanel);
    for (const auto& [format, panel] : m_outputPanels)
        panel->Show(format == states.outputPanel);
    m_frameSolidPanel->Show(states.frameSolidPanel);
    m_watermarkTextPanel->Show(states.watermarkTextPanel);
    m_watermarkImagePanel->Show(states.watermarkImagePanel);
    for (wxScrolledWindow* page : m_pages) {
        page->Layout();
        page->FitInside();
    }
}

void PreferencesDialog::chooseFont()
{
    pullControls();
    FontChoice& fonts = m_controls.fonts(&S::wmFont);
    wxFontInfo initial(std::max(1, numberFieldValue(m_controls.text(&S::wmFontSize))));
    if (fonts.selected >= 0 && fonts.selected < static_cast<int>(fonts.names.size()))
        initial.FaceName(toWx(fonts.names[fonts.selected]));
    wxFontData data;
    data.SetInitialFont(wxFont(initial));
    wxFontDialog dialog(this, data);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxFont font = dialog.GetFontData().GetChosenFont();
    if (!font.IsOk())
        return;
    const std::string faceName = font.GetFaceName().utf8_string();
    const std::optional<std::string> name = usableFontName(faceName);
    if (!name) {
        wxMessageBox(toWx(fillPlaceholders(lookupText("Msg", "Invalid watermark font"), faceName, "", "", "")),
                     toWx(lookupText("Msg", "Warning")), wxOK | wxICON_WARNING, this);
        return;
    }
    addChosenFont(fonts, *name);
    m_controls.text(&S::wmFontSize) = std::to_string(font.GetPointSize());
    const int flags = (font.GetWeight() >= wxFONTWEIGHT_BOLD ? kBoldFlag : 0) |
                      (font.GetStyle() != wxFONTSTYLE_NORMAL ? kItalicFlag : 0);
    m_controls.value(&S::wmFontStyle) = fontStyleItem(flags);
    pushControls();
    applyStates();
}

void PreferencesDialog::onOk()
{
    pullControls();
    m_refresh = applyPreferences(m_controls);
    EndModal(wxID_OK);
}

void PreferencesDialog::onDefaults()
{
    wxMessageDialog question(this, toWx(lookupText("Msg", "Ask reset to defaults")),
                             toWx(lookupText("Msg", "Reset to Defaults")), wxYES_NO | wxICON_QUESTION);
    if (question.ShowModal() != wxID_YES)
        return;
    const wxRect desktop = wxDisplay(static_cast<unsigned>(0)).GetGeometry();
    m_refresh = applyDefaultPreferences({desktop.width, desktop.height});
    EndModal(wxID_OK);
}

InterfaceRefresh openPreferences(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures)
{
    PreferencesDialog dialog(parent, firstPage, pictures);
    dialog.ShowModal();
    return dialog.refresh();
}
