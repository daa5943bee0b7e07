#pragma once

#include <initializer_list>
#include <vector>

#include "gui/preference_controls.h"
#include "gui/preference_rules.h"
#include "gui/widgets/preference_rows.h"
#include "settings/setting_table.h"

class wxScrolledWindow;
class wxWindow;

// One page of the preferences: it builds its rows on a panel of the dialog,
// binds them to the fields of the record they edit, and enables and shows
// its rows and panels as the rules of preferenceStates say. What OK stores
// is left to the dialog.
class PreferencesPanel {
public:
    PreferencesPanel(wxWindow* dialog, const char* key, PreferenceControls& controls);
    virtual ~PreferencesPanel() = default;
    PreferencesPanel(const PreferencesPanel&) = delete;
    PreferencesPanel& operator=(const PreferencesPanel&) = delete;

    // The catalogue key of the page, also its title and name.
    const char* key() const { return key_; }
    wxWindow* window() const;

    // Shows the record's fields in the controls.
    void push() const;
    // Reads the controls into the record's fields.
    void pull() const;
    // Reads the controls, then enables and shows the rows that depend on them.
    void applyRules();

protected:
    PreferenceControls& controls_;

    // Rows on panel, under topBorder pixels (at 96 dpi); a list or check box
    // changed on them applies the page's rules.
    RowBuilder rowsOn(wxWindow* panel, int topBorder);
    // The rows at the top of the page.
    RowBuilder pageRows();
    // A panel under the page's first row, which a choice in that row shows,
    // and rows on it continuing that row's spacing.
    wxWindow* addSubPanel();
    RowBuilder subPanelRows(wxWindow* subPanel);

    // The row a setting's preferences kind asks for, bound to its control.
    PreferenceRow addSetting(RowBuilder& rows, const SettingField& field);
    PreferenceRow addSetting(RowBuilder& rows, const SettingRow& setting);
    std::vector<PreferenceRow> addSettings(RowBuilder& rows, std::initializer_list<SettingField> fields);

private:
    const char* key_;
    wxScrolledWindow* page_;
    std::vector<ControlBinding> bindings_;

    // Enables and shows what depends on other rows; most pages have nothing.
    virtual void showStates(const PreferenceStates&) { }
    // "..." of the watermark font; only that page has the row.
    virtual void chooseFont() { }
};

void enableRows(const std::vector<PreferenceRow>& rows, bool on);
void showRows(const std::vector<PreferenceRow>& rows, bool on);
