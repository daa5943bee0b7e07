#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include <wx/dialog.h>

#include "gui/preference_controls.h"
#include "gui/widgets/preference_rows.h"
#include "gui/widgets/preferences_dialog.h"
#include "settings/setting_table.h"

class wxListBox;
class wxScrolledWindow;
class wxStaticText;

// The preferences: a page list, the title of the page shown, the nine pages,
// and Defaults, OK and Cancel. The controls edit a record of their values;
// only OK and Defaults reach the settings.
class PreferencesDialog : public wxDialog {
public:
    enum Page { kGeneral, kInterface, kInput, kOutput, kTransform, kAdjustment, kFrame, kWatermark, kAdvanced };
    static constexpr int kPageCount = kAdvanced + 1;
    // The catalogue key of each page, in page order; also the page's name.
    static const char* const kPageKeys[kPageCount];

    PreferencesDialog(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures);

    void showPage(int page);
    InterfaceRefresh refresh() const { return m_refresh; }

private:
    PreferenceControls m_controls;
    std::vector<ControlBinding> m_bindings;
    InterfaceRefresh m_refresh = InterfaceRefresh::kNothing;
    int m_languageItem = 0;    // the one language, English
    wxBitmap m_formatPicture;  // beside each item of the format lists

    wxListBox* m_pageList = nullptr;
    wxStaticText* m_title = nullptr;
    std::vector<wxScrolledWindow*> m_pages;

    std::vector<PreferenceRow> m_rotationRows;
    std::vector<PreferenceRow> m_resizeRows;
    std::vector<PreferenceRow> m_thresholdRows;
    std::vector<PreferenceRow> m_ditherRows;
    std::vector<PreferenceRow> m_rawSizeRows;
    std::vector<PreferenceRow> m_rawToneMappingRows;
    std::vector<PreferenceRow> m_customTimestampRows;
    std::vector<PreferenceRow> m_textScaleRows;
    std::vector<PreferenceRow> m_imageScaleRows;
    std::map<const SettingRow*, PreferenceRow> m_formatRows;  // the rows of the formats' options
    std::map<std::string, wxWindow*> m_inputPanels;
    std::map<std::string, wxWindow*> m_outputPanels;
    wxWindow* m_frameSolidPanel = nullptr;
    wxWindow* m_watermarkTextPanel = nullptr;
    wxWindow* m_watermarkImagePanel = nullptr;

    wxWindow* addPage();
    wxWindow* addSubPanel(wxWindow* page);
    RowBuilder rowsOn(wxWindow* panel, int topBorder);
    RowBuilder rowsOnSubPanel(wxWindow* panel);

    void buildGeneralPage();
    void buildInterfacePage();
    PreferenceRow addSetting(RowBuilder& rows, const SettingField& field);
    PreferenceRow addSetting(RowBuilder& rows, const SettingRow& setting);
    void addSettings(RowBuilder& rows, std::initializer_list<SettingField> fields);
    void buildFormatPage(const char* label, FormatSide side, const std::vector<std::string>& formats, int& selected,
                         std::map<std::string, wxWindow*>& panels);
    std::vector<PreferenceRow> formatRowsOf(std::initializer_list<SettingField> fields) const;
    void buildInputPage();
    void buildOutputPage();
    void buildTransformPage();
    void buildAdjustmentPage();
    void buildFramePage();
    void buildWatermarkPage();
    void buildAdvancedPage();

    void pullControls();
    void pushControls();
    void applyStates();
    void chooseFont();
    void onOk();
    void onDefaults();
};
