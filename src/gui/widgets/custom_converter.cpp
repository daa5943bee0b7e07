#include "gui/widgets/custom_converter.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/custom_converter_search.h"
#include "gui/web_addresses.h"
#include "gui/widgets/accessible_name.h"
#include "gui/widgets/catalogue_text.h"
#include "gui/widgets/shell_open.h"
#include "gui/widgets/small_dialog_windows.h"
#include "gui/widgets/warning_box.h"

namespace {

constexpr int kFieldWidth = 100;

}  // namespace

CustomConverterDialog::CustomConverterDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, catalogueText("Custom-Converter", "Title"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, "custom-converter")
{
    wxString fromLabel = catalogueText("Custom-Converter", "From");
    wxString toLabel = catalogueText("Custom-Converter", "To");
    // Created in reading order, which is also the order of the Tab key.
    auto* fromText = new wxStaticText(this, wxID_ANY, fromLabel);
    from_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(kFieldWidth, -1));
    setAccessibleName(from_, fromLabel);
    auto* toText = new wxStaticText(this, wxID_ANY, toLabel);
    to_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(kFieldWidth, -1));
    setAccessibleName(to_, toLabel);
    AccessKeyGroup keys;
    auto* searchButton = new wxButton(this, wxID_ANY, catalogueLabel("Custom-Converter", "Search", keys));
    searchButton->SetDefault();

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(fromText, 0, wxALIGN_CENTRE_VERTICAL | wxRIGHT, 6);
    row->Add(from_, 0, wxALIGN_CENTRE_VERTICAL);
    row->Add(toText, 0, wxALIGN_CENTRE_VERTICAL | wxLEFT | wxRIGHT, 6);
    row->Add(to_, 0, wxALIGN_CENTRE_VERTICAL);
    row->Add(searchButton, 0, wxALIGN_CENTRE_VERTICAL | wxLEFT, 14);
    auto* margin = new wxBoxSizer(wxVERTICAL);
    margin->Add(row, 0, wxALL, 12);
    SetSizerAndFit(margin);

    searchButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { search(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
        if (IsModal())
            EndModal(wxID_CANCEL);
        else
            Hide();
    });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        int key = event.GetKeyCode();
        if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER)
            search();
        else if (key == WXK_ESCAPE && IsModal())
            EndModal(wxID_CANCEL);
        else
            event.Skip();
    });
    from_->SetFocus();
}

void CustomConverterDialog::search()
{
    searchTarget_ = converterSearchTarget(converterSearchPage(), from_->GetValue().ToStdString(wxConvUTF8),
                                          to_->GetValue().ToStdString(wxConvUTF8));
    if (searchTarget_.empty()) {
        showWarning(this, lookupText("Msg", "Empty extensions"));
        return;
    }
    if (IsModal())
        EndModal(wxID_OK);
}

void openCustomConverter(wxWindow* parent)
{
    CustomConverterDialog converter(parent);
    converter.CentreOnParent();
    // The dialog is gone from the screen before the browser comes up.
    if (converter.ShowModal() == wxID_OK)
        openWithShell(converter.searchTarget());
}
