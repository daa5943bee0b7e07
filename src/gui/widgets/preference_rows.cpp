#include "gui/widgets/preference_rows.h"

#include <algorithm>
#include <cmath>

#include <wx/bmpbuttn.h>
#include <wx/bmpcbox.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/colordlg.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/colour_names.h"
#include "gui/preference_rules.h"
#include "gui/widgets/accessible_name.h"
#include "gui/widgets/picture_list_box.h"
#include "gui/widgets/timestamp_field.h"
#include "gui/widgets/wx_text.h"
#include "picture/colours.h"
#include "settings/catalogue.h"

namespace {

// Widths of the two columns and of the controls in them, in pixels at 96 dpi.
constexpr int kLabelWidth = 160;
constexpr int kControlWidth = 240;
constexpr int kGap = 4;
constexpr int kButtonWidth = 22;
constexpr int kUnitWidth = 100;  // wide enough for each unit, so the number fields line up
constexpr int kSwatchButtonWidth = 44;

wxColour colourOf(const std::string& hex)
{
    const RgbColour colour = parseHexColour(normalisedHexColour(hex));
    return wxColour(colour.red, colour.green, colour.blue);
}

wxBitmap swatch(const std::string& hex, wxSize size)
{
    wxBitmap bitmap(size);
    wxMemoryDC dc(bitmap);
    dc.SetPen(wxPen(wxColour(64, 64, 64)));
    dc.SetBrush(wxBrush(colourOf(hex)));
    dc.DrawRectangle(wxPoint(0, 0), size);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

wxSize widthOnly(wxWindow* window, int width)
{
    return window->FromDIP(wxSize(width, -1));
}

wxButton* ellipsisButton(wxWindow* parent, const wxString& name)
{
    auto* button =
        new wxButton(parent, wxID_ANY, "...", wxDefaultPosition, widthOnly(parent, kButtonWidth), wxBU_EXACTFIT);
    setAccessibleName(button, name + " ...");
    return button;
}

void fillList(wxChoice* list, const ItemKeys& items)
{
    for (const char* item : items)
        list->Append(preferencesText(item));
}

}  // namespace

wxString preferencesText(const char* key)
{
    return toWx(lookupText("Preferences", key));
}

wxString rowName(const char* label)
{
    wxString text = preferencesText(label);
    text.Trim();
    if (text.EndsWith(":"))
        text.RemoveLast();
    return text;
}

void PreferenceRow::enable(bool on) const
{
    for (wxWindow* window : windows)
        window->Enable(on);
}

void PreferenceRow::show(bool on) const
{
    for (wxWindow* window : windows)
        window->Show(on);
}

RowBuilder::RowBuilder(wxWindow* panel, std::vector<ControlBinding>& bindings, std::function<void()> onChange)
    : panel_(panel), grid_(new wxFlexGridSizer(2, panel->FromDIP(wxSize(0, kPreferenceRowGap)))), bindings_(bindings),
      onChange_(std::move(onChange))
{
}

int RowBuilder::restOfRow(wxWindow* besides) const
{
    return panel_->FromDIP(kControlWidth) - panel_->FromDIP(kGap) - besides->GetEffectiveMinSize().x;
}

PreferenceRow RowBuilder::addRow(const char* label, const std::vector<wxWindow*>& controls)
{
    auto* text = new wxStaticText(panel_, wxID_ANY, preferencesText(label));
    text->SetMinSize(widthOnly(panel_, kLabelWidth));
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    for (size_t i = 0; i < controls.size(); ++i) {
        if (i > 0)
            line->AddSpacer(panel_->FromDIP(kGap));
        line->Add(controls[i], 0, wxALIGN_CENTER_VERTICAL);
    }
    line->SetMinSize(widthOnly(panel_, kControlWidth));
    grid_->Add(text, 0, wxALIGN_CENTER_VERTICAL);
    grid_->Add(line, 0, wxALIGN_CENTER_VERTICAL);
    PreferenceRow row;
    row.windows.push_back(text);
    row.windows.insert(row.windows.end(), controls.begin(), controls.end());
    return row;
}

PreferenceRow RowBuilder::plainList(const char* label, const std::vector<wxString>& items, int& value)
{
    auto* list = new wxChoice(panel_, wxID_ANY, wxDefaultPosition, widthOnly(panel_, kControlWidth));
    for (const wxString& item : items)
        list->Append(item);
    setAccessibleName(list, rowName(label));
    list->Bind(wxEVT_CHOICE, [onChange = onChange_](wxCommandEvent&) { onChange(); });
    bindings_.push_back(
        {[list, &value] { value = list->GetSelection(); }, [list, &value] { list->SetSelection(value); }});
    return addRow(label, {list});
}

PreferenceRow RowBuilder::pictureList(const char* label, const std::vector<wxString>& items, const wxBitmap& picture,
                                      int& value)
{
    auto* list = new PictureListBox(panel_, widthOnly(panel_, kControlWidth));
    for (const wxString& item : items)
        list->Append(item, picture);
    setAccessibleName(list, rowName(label));
    list->Bind(wxEVT_COMBOBOX, [onChange = onChange_](wxCommandEvent&) { onChange(); });
    bindings_.push_back(
        {[list, &value] { value = list->GetSelection(); }, [list, &value] { list->SetSelection(value); }});
    return addRow(label, {list});
}

PreferenceRow RowBuilder::list(const char* label, const ItemKeys& items, int& value)
{
    std::vector<wxString> texts;
    for (const char* item : items)
        texts.push_back(preferencesText(item));
    return plainList(label, texts, value);
}

PreferenceRow RowBuilder::bitDepthList(BitDepthChoice& choice)
{
    std::vector<wxString> items{preferencesText("Auto")};
    for (int depth : choice.depths)
        items.push_back(wxString::Format("%d", depth));
    return plainList("Bits Per Pixel", items, choice.selected);
}

PreferenceRow RowBuilder::check(const char* label, bool& value)
{
    auto* box = new wxCheckBox(panel_, wxID_ANY, wxEmptyString, wxDefaultPosition, widthOnly(panel_, kControlWidth));
    setAccessibleName(box, rowName(label));
    box->Bind(wxEVT_CHECKBOX, [onChange = onChange_](wxCommandEvent&) { onChange(); });
    bindings_.push_back({[box, &value] { value = box->GetValue(); }, [box, &value] { box->SetValue(value); }});
    return addRow(label, {box});
}

PreferenceRow RowBuilder::trackBarPair(const char* label, PairRange range, int offset, int& value)
{
    auto* bar = new wxSlider(panel_, wxID_ANY, value + offset, range.minimum + offset, range.maximum + offset);
    auto* spin = new wxSpinCtrl(panel_, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS,
                                range.minimum, range.maximum, value);
    bar->SetMinSize(wxSize(restOfRow(spin), -1));
    setAccessibleName(bar, rowName(label));
    setAccessibleName(spin, rowName(label));
    bar->Bind(wxEVT_SLIDER, [bar, spin, offset](wxCommandEvent&) { spin->SetValue(bar->GetValue() - offset); });
    spin->Bind(wxEVT_SPINCTRL, [bar, spin, offset](wxSpinEvent&) { bar->SetValue(spin->GetValue() + offset); });
    spin->Bind(wxEVT_TEXT, [bar, spin, offset, range](wxCommandEvent&) {
        const TypedValue typed = readTypedValue(fromWx(spin->GetTextValue()), range);
        bar->SetValue(typed.value + offset);
        if (typed.rewriteNow)
            spin->CallAfter([spin, typed] { spin->SetValue(wxString::Format("%d", typed.value)); });
    });
    bindings_.push_back({[spin, range, &value] { value = readTypedValue(fromWx(spin->GetTextValue()), range).value; },
                         [bar, spin, offset, &value] {
                             bar->SetValue(value + offset);
                             spin->SetValue(value);
                         }});
    return addRow(label, {bar, spin});
}

PreferenceRow RowBuilder::pair(const char* label, PairRange range, int& value)
{
    return trackBarPair(label, range, 0, value);
}

PreferenceRow RowBuilder::offsetPair(const char* label, int& value)
{
    return trackBarPair(label, kBrightnessRange, -kBrightnessRange.minimum, value);
}

PreferenceRow RowBuilder::gammaPair(const char* label, int& hundredths)
{
    const PairRange range = kGammaRange;
    auto* bar = new wxSlider(panel_, wxID_ANY, hundredths, range.minimum, range.maximum);
    auto* spin =
        new wxSpinCtrlDouble(panel_, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS,
                             range.minimum / 100.0, range.maximum / 100.0, hundredths / 100.0, 0.01);
    spin->SetDigits(2);
    bar->SetMinSize(wxSize(restOfRow(spin), -1));
    setAccessibleName(bar, rowName(label));
    setAccessibleName(spin, rowName(label));
    const auto show = [bar, spin](int value) {
        bar->SetValue(value);
        spin->SetValue(value / 100.0);
    };
    bar->Bind(wxEVT_SLIDER, [bar, show](wxCommandEvent&) { show(bar->GetValue()); });
    spin->Bind(wxEVT_SPINCTRLDOUBLE, [bar, spin, range](wxSpinDoubleEvent&) {
        bar->SetValue(
            std::clamp(static_cast<int>(std::lround(spin->GetValue() * 100.0)), range.minimum, range.maximum));
    });
    spin->Bind(wxEVT_TEXT, [bar, spin, show](wxCommandEvent&) {
        const TypedValue typed = readTypedGamma(fromWx(spin->GetTextValue()));
        bar->SetValue(typed.value);
        if (typed.rewriteNow)
            spin->CallAfter([show, typed] { show(typed.value); });
    });
    bindings_.push_back({[spin, &hundredths] { hundredths = readTypedGamma(fromWx(spin->GetTextValue())).value; },
                         [show, &hundredths] { show(hundredths); }});
    return addRow(label, {bar, spin});
}

PreferenceRow RowBuilder::number(const char* label, std::string& text, const ItemKeys& units, int* unit)
{
    auto* field = new wxTextCtrl(panel_, wxID_ANY);
    auto* unitList = new wxChoice(panel_, wxID_ANY);
    fillList(unitList, units);
    unitList->SetMinSize(wxSize(std::max(unitList->GetBestSize().x, panel_->FromDIP(kUnitWidth)), -1));
    field->SetMinSize(wxSize(restOfRow(unitList), -1));
    setAccessibleName(field, rowName(label));
    setAccessibleName(unitList, rowName(label) + " " + preferencesText(units.front()));
    bindings_.push_back(
        {[field, &text] { text = fromWx(field->GetValue()); }, [field, &text] { field->ChangeValue(toWx(text)); }});
    if (unit) {
        bindings_.push_back({[unitList, unit] { *unit = unitList->GetSelection(); },
                             [unitList, unit] { unitList->SetSelection(*unit); }});
    } else {
        unitList->SetSelection(0);
    }
    return addRow(label, {field, unitList});
}

PreferenceRow RowBuilder::hexColour(const char* label, std::string& hex)
{
    const wxSize swatchSize = panel_->FromDIP(wxSize(34, 12));
    auto* button = new wxBitmapButton(panel_, wxID_ANY, swatch(hex, swatchSize), wxDefaultPosition,
                                      widthOnly(panel_, kSwatchButtonWidth));
    auto* field = new wxTextCtrl(panel_, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                 widthOnly(panel_, kControlWidth - kSwatchButtonWidth - kGap));
    setAccessibleName(button, rowName(label));
    setAccessibleName(field, rowName(label));
    field->Bind(wxEVT_TEXT, [button, field, swatchSize](wxCommandEvent&) {
        button->SetBitmap(swatch(fromWx(field->GetValue()), swatchSize));
    });
    button->Bind(wxEVT_BUTTON, [panel = panel_, field](wxCommandEvent&) {
        const wxColour current = colourOf(fromWx(field->GetValue()));
        wxColourData data;
        data.SetColour(current);
        wxColourDialog dialog(panel, &data);
        if (dialog.ShowModal() != wxID_OK)
            return;
        const wxColour chosen = dialog.GetColourData().GetColour();
        if (chosen.IsOk() && chosen != current)
            field->SetValue(toWx(formatHexColour({chosen.Red(), chosen.Green(), chosen.Blue()})));
    });
    bindings_.push_back(
        {[field, &hex] { hex = fromWx(field->GetValue()); }, [field, &hex] { field->SetValue(toWx(hex)); }});
    return addRow(label, {button, field});
}

PreferenceRow RowBuilder::colourList(const char* label, ColourChoice& choice, std::string& listSetting)
{
    auto* list =
        new wxBitmapComboBox(panel_, wxID_ANY, wxEmptyString, wxDefaultPosition,
                             widthOnly(panel_, kControlWidth - kButtonWidth - kGap), 0, nullptr, wxCB_READONLY);
    auto* button = ellipsisButton(panel_, rowName(label));
    setAccessibleName(list, rowName(label));
    const wxSize swatchSize = panel_->FromDIP(wxSize(16, 16));
    const auto pull = [list, &choice] { choice.selected = list->GetSelection(); };
    const auto push = [list, &choice, swatchSize] {
        list->Clear();
        for (const std::string& colour : choice.colours)
            list->Append(toWx(colourName(colour)), swatch(colour, swatchSize));
        list->SetSelection(choice.selected);
    };
    button->Bind(wxEVT_BUTTON, [panel = panel_, &choice, &listSetting, pull, push](wxCommandEvent&) {
        pull();
        wxColourData data;
        if (choice.selected >= 0 && choice.selected < static_cast<int>(choice.colours.size()))
            data.SetColour(colourOf(choice.colours[choice.selected]));
        wxColourDialog dialog(panel, &data);
        if (dialog.ShowModal() != wxID_OK)
            return;
        const wxColour chosen = dialog.GetColourData().GetColour();
        if (!chosen.IsOk())
            return;
        addChosenColour(choice, formatHexColour({chosen.Red(), chosen.Green(), chosen.Blue()}), listSetting);
        push();
    });
    bindings_.push_back({pull, push});
    return addRow(label, {list, button});
}

PreferenceRow RowBuilder::fontList(const char* label, FontChoice& choice, std::function<void()> onChoose)
{
    auto* list =
        new wxChoice(panel_, wxID_ANY, wxDefaultPosition, widthOnly(panel_, kControlWidth - kButtonWidth - kGap));
    auto* button = ellipsisButton(panel_, rowName(label));
    setAccessibleName(list, rowName(label));
    button->Bind(wxEVT_BUTTON, [onChoose](wxCommandEvent&) { onChoose(); });
    bindings_.push_back({[list, &choice] { choice.selected = list->GetSelection(); },
                         [list, &choice] {
                             list->Clear();
                             for (const std::string& name : choice.names)
                                 list->Append(toWx(name));
                             list->SetSelection(choice.selected);
                         }});
    return addRow(label, {list, button});
}

PreferenceRow RowBuilder::text(const char* label, std::string& text)
{
    auto* field = new wxTextCtrl(panel_, wxID_ANY, wxEmptyString, wxDefaultPosition, widthOnly(panel_, kControlWidth));
    setAccessibleName(field, rowName(label));
    bindings_.push_back(
        {[field, &text] { text = fromWx(field->GetValue()); }, [field, &text] { field->ChangeValue(toWx(text)); }});
    return addRow(label, {field});
}

PreferenceRow RowBuilder::picture(const char* label, std::string& path)
{
    auto* field = new wxTextCtrl(panel_, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                 widthOnly(panel_, kControlWidth - kButtonWidth - kGap));
    auto* button = ellipsisButton(panel_, rowName(label));
    setAccessibleName(field, rowName(label));
    button->Bind(wxEVT_BUTTON, [panel = panel_, field](wxCommandEvent&) {
        const FileDialogStart start = watermarkPictureDialogStart(fromWx(field->GetValue()));
        wxFileDialog dialog(panel, toWx(lookupText("Dialog", "Select Watermark Image")), toWx(start.folder),
                            toWx(start.name), toWx(watermarkPictureFilter()), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() == wxID_OK)
            field->SetValue(dialog.GetPath());
    });
    bindings_.push_back(
        {[field, &path] { path = fromWx(field->GetValue()); }, [field, &path] { field->ChangeValue(toWx(path)); }});
    return addRow(label, {field, button});
}

PreferenceRow RowBuilder::dateTime(const char* label, int32_t& seconds)
{
    auto* field = new TimestampField(panel_, widthOnly(panel_, kControlWidth));
    setAccessibleName(field, rowName(label));
    setAccessibleName(field->GetTextCtrl(), rowName(label));
    bindings_.push_back({[field, &seconds] { seconds = field->value(); }, [field, &seconds] { field->show(seconds); }});
    return addRow(label, {field});
}
