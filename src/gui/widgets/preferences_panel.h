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
//
// A page may head its rows with a row that stays put (a choice of type or
// format); the rest of the page scrolls under it.
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
    // The rows that head the page and do not scroll; before any other.
    RowBuilder fixedRows();
    // The rows of the page's scrolling part; on a page without fixed rows
    // they start at its top.
    RowBuilder pageRows();
    // A panel under the page's fixed rows, which a choice in them shows, and
    // rows on it continuing their spacing.
    wxWindow* addSubPanel();
    RowBuilder subPanelRows(wxWindow* subPanel);

    // The row a setting's preferences kind asks for, bound to its control.
    PreferenceRow addSetting(RowBuilder& rows, const SettingField& field);
    PreferenceRow addSetting(RowBuilder& rows, const SettingRow& setting);
    std::vector<PreferenceRow> addSettings(RowBuilder& rows, std::initializer_list<SettingField> fields);

private:
    const char* key_;
    wxWindow* page_;
    wxScrolledWindow* scrolled_ = nullptr;
    // The only child of scrolled_, holding what scrolls. Scrolling moves the
    // scrolled window's children, and GTK refuses to move a hidden one
    // (Gtk-CRITICAL gtk_widget_set_allocation): the hidden rows and panels
    // stay below this one.
    wxWindow* sheet_ = nullptr;
    std::vector<ControlBinding> bindings_;

    // The scrolling part, made on first use so that it follows the fixed
    // rows in the keyboard's order.
    wxWindow* sheet();

    // Enables and shows what depends on other rows; most pages have nothing.
    virtual void showStates(const PreferenceStates&) { }
    // "..." of the watermark font; only that page has the row.
    virtual void chooseFont() { }
};

void enableRows(const std::vector<PreferenceRow>& rows, bool on);
void showRows(const std::vector<PreferenceRow>& rows, bool on);
