#pragma once

#include <map>
#include <string>
#include <vector>

#include <wx/bitmap.h>

#include "gui/widgets/preferences_panel.h"

// The pages of the preferences, each built on the dialog. A page that edits a
// setting adds its row with addSetting(rows, &ConversionSettings::member);
// the settings table says how the row looks.

class GeneralPage : public PreferencesPanel {
public:
    GeneralPage(wxWindow* dialog, PreferenceControls& controls);

private:
    int languageItem_ = 0;  // the one language, English
};

class InterfacePage : public PreferencesPanel {
public:
    InterfacePage(wxWindow* dialog, PreferenceControls& controls);
};

// A format list over one panel per format, of which the selected one shows:
// the rows of the format's options in the order of the settings table.
class FormatPage : public PreferencesPanel {
public:
    FormatPage(wxWindow* dialog, const char* key, PreferenceControls& controls, const char* listLabel, FormatSide side,
               const wxBitmap& formatPicture);

protected:
    void showFormatPanel(const std::string& format) const;
    // The rows of those options that were built, the formats being offered.
    std::vector<PreferenceRow> formatRowsOf(std::initializer_list<SettingField> fields) const;

private:
    std::map<std::string, wxWindow*> panels_;
    std::map<const SettingRow*, PreferenceRow> optionRows_;
};

class InputPage : public FormatPage {
public:
    InputPage(wxWindow* dialog, PreferenceControls& controls, const wxBitmap& formatPicture);

private:
    std::vector<PreferenceRow> rawSizeRows_;
    std::vector<PreferenceRow> rawToneMappingRows_;
    void showStates(const PreferenceStates& states) override;
};

class OutputPage : public FormatPage {
public:
    OutputPage(wxWindow* dialog, PreferenceControls& controls, const wxBitmap& formatPicture);

private:
    void showStates(const PreferenceStates& states) override;
};

class TransformPage : public PreferencesPanel {
public:
    TransformPage(wxWindow* dialog, PreferenceControls& controls);

private:
    std::vector<PreferenceRow> rotationRows_;
    std::vector<PreferenceRow> resizeRows_;
    void showStates(const PreferenceStates& states) override;
};

class AdjustmentPage : public PreferencesPanel {
public:
    AdjustmentPage(wxWindow* dialog, PreferenceControls& controls);

private:
    PreferenceRow thresholdRow_;
    PreferenceRow ditherRow_;
    void showStates(const PreferenceStates& states) override;
};

class FramePage : public PreferencesPanel {
public:
    FramePage(wxWindow* dialog, PreferenceControls& controls);

private:
    wxWindow* solidPanel_ = nullptr;
    void showStates(const PreferenceStates& states) override;
};

class WatermarkPage : public PreferencesPanel {
public:
    WatermarkPage(wxWindow* dialog, PreferenceControls& controls);

private:
    wxWindow* textPanel_ = nullptr;
    wxWindow* imagePanel_ = nullptr;
    PreferenceRow textScaleRow_;
    PreferenceRow imageScaleRow_;
    void showStates(const PreferenceStates& states) override;
    void chooseFont() override;
};

class AdvancedPage : public PreferencesPanel {
public:
    AdvancedPage(wxWindow* dialog, PreferenceControls& controls);

private:
    PreferenceRow customTimestampRow_;
    void showStates(const PreferenceStates& states) override;
};
