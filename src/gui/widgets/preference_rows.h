#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

#include "gui/preference_controls.h"
#include "gui/preference_lists.h"

class wxBitmap;
class wxFlexGridSizer;
class wxWindow;

// Space between two rows, in pixels at 96 dpi.
constexpr int kPreferenceRowGap = 6;

// A label with the controls beside it; a row that depends on another is
// enabled or shown as a whole.
struct PreferenceRow {
    std::vector<wxWindow*> windows;
    void enable(bool on) const;
    void show(bool on) const;
};

// How a control meets its field of the record: pull reads the control into
// the field, push shows the field in the control.
struct ControlBinding {
    std::function<void()> pull;
    std::function<void()> push;
};

// Adds rows in two columns, labels and controls, to a panel, and binds each
// control to its field; the controls show their fields once the bindings are
// pushed. The fields must outlive the controls; the builder need not. onChange runs whenever a list
// or check box changes.
class RowBuilder {
public:
    RowBuilder(wxWindow* panel, std::vector<ControlBinding>& bindings, std::function<void()> onChange);
    wxFlexGridSizer* grid() const { return grid_; }

    PreferenceRow list(const char* label, const ItemKeys& items, int& value);
    // A list whose items are not catalogue keys.
    PreferenceRow plainList(const char* label, const std::vector<wxString>& items, int& value);
    // The same with picture beside every item (none when it is not valid).
    PreferenceRow pictureList(const char* label, const std::vector<wxString>& items, const wxBitmap& picture,
                              int& value);
    PreferenceRow bitDepthList(BitDepthChoice& choice);
    PreferenceRow check(const char* label, bool& value);
    PreferenceRow pair(const char* label, PairRange range, int& value);
    // A value of -100 to 100 on a track bar of 0 to 200.
    PreferenceRow offsetPair(const char* label, int& value);
    PreferenceRow gammaPair(const char* label, int& hundredths);
    // A number with its unit: a list of units bound to unit, or one fixed unit.
    PreferenceRow number(const char* label, std::string& text, const ItemKeys& units, int* unit = nullptr);
    PreferenceRow hexColour(const char* label, std::string& hex);
    // A colour picked with "..." joins listSetting at once.
    PreferenceRow colourList(const char* label, ColourChoice& choice, std::string& listSetting);
    // "..." runs onChoose, which owns the rows a chosen font changes.
    PreferenceRow fontList(const char* label, FontChoice& choice, std::function<void()> onChoose);
    PreferenceRow text(const char* label, std::string& text);
    PreferenceRow picture(const char* label, std::string& path);
    // Year/month/day hour:minute, typed or picked from a calendar; the
    // seconds stay as they were.
    PreferenceRow dateTime(const char* label, int32_t& seconds);

private:
    wxWindow* panel_;
    wxFlexGridSizer* grid_;
    std::vector<ControlBinding>& bindings_;
    std::function<void()> onChange_;

    PreferenceRow addRow(const char* label, const std::vector<wxWindow*>& controls);
    // The width the control column leaves beside a control at its natural width.
    int restOfRow(wxWindow* besides) const;
    PreferenceRow trackBarPair(const char* label, PairRange range, int offset, int& value);
};

// The catalogue text of a key of the preferences.
wxString preferencesText(const char* key);
// The label text without its closing colon, the name of the row's controls.
wxString rowName(const char* label);
