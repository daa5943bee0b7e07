#include "gui/widgets/preferences_pages.h"

#include <algorithm>

#include <wx/fontdlg.h>
#include <wx/window.h>

#include "engine/job_state.h"
#include "gui/widgets/warning_box.h"
#include "gui/widgets/wx_text.h"
#include "platform/text.h"
#include "settings/catalogue.h"

namespace {

using S = ConversionSettings;

std::vector<wxString> upperCased(const std::vector<std::string>& formats)
{
    std::vector<wxString> items;
    for (const std::string& format : formats)
        items.push_back(toWx(toUpperAscii(format)));
    return items;
}

}  // namespace

GeneralPage::GeneralPage(wxWindow* dialog, PreferenceControls& controls) : PreferencesPanel(dialog, "General", controls)
{
    RowBuilder rows = pageRows();
    rows.plainList("Language", {"English"}, languageItem_);
    addSetting(rows, &S::updateRange);
    addSetting(rows, &S::saveWindowPosition);
}

InterfacePage::InterfacePage(wxWindow* dialog, PreferenceControls& controls)
    : PreferencesPanel(dialog, "Interface", controls)
{
    RowBuilder rows = pageRows();
    std::vector<wxString> themes;
    for (const ThemeItem& theme : controls_.themes)
        themes.push_back(theme.key.empty() ? preferencesText(theme.name.c_str()) : toWx(theme.name));
    rows.plainList("UI Theme", themes, controls_.theme);
    addSetting(rows, &S::uiSize);
}

FormatPage::FormatPage(wxWindow* dialog, const char* key, PreferenceControls& controls, const char* listLabel,
                       FormatSide side, const wxBitmap& formatPicture)
    : PreferencesPanel(dialog, key, controls)
{
    const bool input = side == FormatSide::kInput;
    const std::vector<std::string>& formats = input ? controls_.inputFormats : controls_.outputFormats;
    RowBuilder rows = fixedRows();
    rows.pictureList(listLabel, upperCased(formats), formatPicture,
                     input ? controls_.inputFormat : controls_.outputFormat);
    for (const std::string& format : formats) {
        wxWindow* panel = addSubPanel();
        RowBuilder panelRows = subPanelRows(panel);
        for (const SettingRow& setting : settingRows())
            if (isOptionOf(setting, side, format) && setting.preference.kind != PreferenceKind::kNone)
                optionRows_[&setting] = addSetting(panelRows, setting);
        panels_[format] = panel;
    }
}

void FormatPage::showFormatPanel(const std::string& format) const
{
    for (const auto& [name, panel] : panels_)
        panel->Show(name == format);
}

std::vector<PreferenceRow> FormatPage::formatRowsOf(std::initializer_list<SettingField> fields) const
{
    std::vector<PreferenceRow> rows;
    for (const SettingField& field : fields)
        if (const auto built = optionRows_.find(findSettingRow(field)); built != optionRows_.end())
            rows.push_back(built->second);
    return rows;
}

InputPage::InputPage(wxWindow* dialog, PreferenceControls& controls, const wxBitmap& formatPicture)
    : FormatPage(dialog, "Input", controls, "Input Format", FormatSide::kInput, formatPicture),
      rawSizeRows_(formatRowsOf({&S::rawHeaderSize, &S::rawWidth, &S::rawHeight})),
      rawToneMappingRows_(formatRowsOf({&S::rawToneMapping}))
{
}

void InputPage::showStates(const PreferenceStates& states)
{
    showFormatPanel(states.inputPanel);
    enableRows(rawSizeRows_, states.rawSizeRows);
    enableRows(rawToneMappingRows_, states.rawToneMappingRow);
}

OutputPage::OutputPage(wxWindow* dialog, PreferenceControls& controls, const wxBitmap& formatPicture)
    : FormatPage(dialog, "Output", controls, "Output Format", FormatSide::kOutput, formatPicture)
{
}

void OutputPage::showStates(const PreferenceStates& states)
{
    showFormatPanel(states.outputPanel);
}

TransformPage::TransformPage(wxWindow* dialog, PreferenceControls& controls)
    : PreferencesPanel(dialog, "Transform", controls)
{
    RowBuilder rows = pageRows();
    addSetting(rows, &S::rotateEnabled);
    rotationRows_ = addSettings(rows, {&S::rotationType, &S::rotationAngle, &S::rotationBackColor});
    addSetting(rows, &S::resizeEnabled);
    resizeRows_ = addSettings(
        rows, {&S::resizeWidth, &S::resizeHeight, &S::keepAspectRatio, &S::resizeType, &S::resizeAlgorithm});
    addSettings(rows, {&S::flipHorizontal, &S::flipVertical});
}

void TransformPage::showStates(const PreferenceStates& states)
{
    enableRows(rotationRows_, states.rotationRows);
    enableRows(resizeRows_, states.resizeRows);
}

AdjustmentPage::AdjustmentPage(wxWindow* dialog, PreferenceControls& controls)
    : PreferencesPanel(dialog, "Adjustment", controls)
{
    RowBuilder rows = pageRows();
    addSettings(rows, {&S::brightness, &S::contrast, &S::gamma, &S::invert, &S::greyscale, &S::thresholdEnabled});
    thresholdRow_ = addSetting(rows, &S::threshold);
    addSetting(rows, &S::ditherEnabled);
    ditherRow_ = addSetting(rows, &S::ditherAlgorithm);
}

void AdjustmentPage::showStates(const PreferenceStates& states)
{
    thresholdRow_.enable(states.thresholdRow);
    ditherRow_.enable(states.ditherRow);
}

FramePage::FramePage(wxWindow* dialog, PreferenceControls& controls) : PreferencesPanel(dialog, "Frame", controls)
{
    RowBuilder typeRow = fixedRows();
    addSetting(typeRow, &S::frameType);
    solidPanel_ = addSubPanel();
    RowBuilder rows = subPanelRows(solidPanel_);
    addSettings(rows, {&S::frameLeft, &S::frameRight, &S::frameTop, &S::frameBottom, &S::frameLeftColor,
                       &S::frameRightColor, &S::frameTopColor, &S::frameBottomColor, &S::frameOpacity});
}

void FramePage::showStates(const PreferenceStates& states)
{
    solidPanel_->Show(states.frameSolidPanel);
}

WatermarkPage::WatermarkPage(wxWindow* dialog, PreferenceControls& controls)
    : PreferencesPanel(dialog, "Watermark", controls)
{
    RowBuilder typeRow = fixedRows();
    addSetting(typeRow, &S::watermarkType);

    textPanel_ = addSubPanel();
    RowBuilder text = subPanelRows(textPanel_);
    addSettings(text, {&S::wmText, &S::wmFont, &S::wmFontSize, &S::wmFontLeading, &S::wmFontColor, &S::wmFontStyle,
                       &S::wmFontEffect, &S::wmTextAntialiasing, &S::wmTextAlignment, &S::wmTextPadding,
                       &S::wmTextOpacity, &S::wmBackColor, &S::wmBackOpacity, &S::wmTextBoundary, &S::wmTextPosition,
                       &S::wmTextXOffset, &S::wmTextYOffset, &S::wmTextRotation, &S::wmTextSize});
    textScaleRow_ = addSetting(text, &S::wmTextScale);

    imagePanel_ = addSubPanel();
    RowBuilder image = subPanelRows(imagePanel_);
    addSettings(image, {&S::wmImage, &S::wmImageGreyscale, &S::wmImageOpacity, &S::wmImageBoundary, &S::wmImagePosition,
                        &S::wmImageXOffset, &S::wmImageYOffset, &S::wmImageRotation, &S::wmImageSize});
    imageScaleRow_ = addSetting(image, &S::wmImageScale);
}

void WatermarkPage::showStates(const PreferenceStates& states)
{
    textPanel_->Show(states.watermarkTextPanel);
    imagePanel_->Show(states.watermarkImagePanel);
    textScaleRow_.show(states.textScaleRow);
    imageScaleRow_.show(states.imageScaleRow);
}

// The toolkit's font dialog, starting at the font of the rows; a font chosen
// that the watermark can load joins the font list with its size and style.
void WatermarkPage::chooseFont()
{
    pull();
    FontChoice& fonts = controls_.fonts(&S::wmFont);
    wxFontInfo initial(std::max(1, numberFieldValue(controls_.text(&S::wmFontSize))));
    if (fonts.selected >= 0 && fonts.selected < static_cast<int>(fonts.names.size()))
        initial.FaceName(toWx(fonts.names[fonts.selected]));
    wxFontData data;
    data.SetInitialFont(wxFont(initial));
    wxFontDialog dialog(wxGetTopLevelParent(window()), data);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const wxFont font = dialog.GetFontData().GetChosenFont();
    if (!font.IsOk())
        return;
    const std::string faceName = fromWx(font.GetFaceName());
    const std::optional<std::string> name = usableFontName(faceName);
    if (!name) {
        showWarning(wxGetTopLevelParent(window()),
                    fillPlaceholders(lookupText("Msg", "Invalid watermark font"), faceName, "", "", ""));
        return;
    }
    addChosenFont(fonts, *name);
    controls_.text(&S::wmFontSize) = std::to_string(font.GetPointSize());
    const int flags = (font.GetWeight() >= wxFONTWEIGHT_BOLD ? kBoldFlag : 0) |
                      (font.GetStyle() != wxFONTSTYLE_NORMAL ? kItalicFlag : 0);
    controls_.value(&S::wmFontStyle) = fontStyleItem(flags);
    push();
    applyRules();
}

AdvancedPage::AdvancedPage(wxWindow* dialog, PreferenceControls& controls)
    : PreferencesPanel(dialog, "Advanced", controls)
{
    RowBuilder rows = pageRows();
    addSettings(rows, {&S::filenameMask, &S::fileTimestamp});
    customTimestampRow_ = addSetting(rows, &S::customTimestamp);
    addSettings(rows, {&S::outFoldersHistory, &S::outFoldersNumber, &S::photoCdDecoder});
}

void AdvancedPage::showStates(const PreferenceStates& states)
{
    customTimestampRow_.enable(states.customTimestampRow);
}
