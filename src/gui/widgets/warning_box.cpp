#include "gui/widgets/warning_box.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "gui/widgets/wx_text.h"
#include "settings/catalogue.h"

namespace {

constexpr int kMargin = 12;

// The catalogue ends its lines in CR LF, the toolkit its labels in LF.
wxString lineBreaks(const std::string& text)
{
    wxString result = toWx(text);
    result.Replace("\r\n", "\n");
    return result;
}

wxArtID iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Question: return wxART_QUESTION;
    case MessageKind::Warning: return wxART_WARNING;
    case MessageKind::Error: return wxART_ERROR;
    case MessageKind::Information: break;
    }
    return wxART_INFORMATION;
}

class MessageBox : public wxDialog {
public:
    MessageBox(wxWindow* parent, const std::string& text, const std::string& title, MessageKind kind, bool askYesNo)
        : wxDialog(parent, wxID_ANY, toWx(title))
    {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        const wxBitmap icon = wxArtProvider::GetBitmap(iconOf(kind), wxART_MESSAGE_BOX);
        if (icon.IsOk())
            row->Add(new wxStaticBitmap(this, wxID_ANY, icon), 0, wxALIGN_TOP | wxRIGHT, FromDIP(kMargin));
        row->Add(new wxStaticText(this, wxID_ANY, lineBreaks(text)), 1, wxALIGN_CENTRE_VERTICAL);

        // Stock buttons: the toolkit gives them their words and access keys.
        const int affirmative = askYesNo ? wxID_YES : wxID_OK;
        SetAffirmativeId(affirmative);
        SetEscapeId(askYesNo ? wxID_NO : wxID_OK);
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(row, 1, wxEXPAND | wxALL, FromDIP(kMargin));
        column->Add(CreateStdDialogButtonSizer(askYesNo ? wxYES_NO : wxOK), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM,
                    FromDIP(kMargin));
        SetSizerAndFit(column);
        if (auto* button = dynamic_cast<wxButton*>(FindWindow(affirmative))) {
            button->SetDefault();
            button->SetFocus();
        }
        CentreOnParent();
    }
};

}  // namespace

bool showMessageBox(wxWindow* parent, const std::string& text, const std::string& title, MessageKind kind,
                    bool askYesNo)
{
    MessageBox box(parent, text, title, kind, askYesNo);
    const int answer = box.ShowModal();
    return answer == (askYesNo ? wxID_YES : wxID_OK);
}

void showWarning(wxWindow* parent, const std::string& text)
{
    showMessageBox(parent, text, lookupText("Msg", "Warning"), MessageKind::Warning, false);
}

bool askBreakConversion(wxWindow* parent)
{
    return showMessageBox(parent, lookupText("Msg", "Ask break conversion"), lookupText("Msg", "Warning"),
                          MessageKind::Warning, true);
}
