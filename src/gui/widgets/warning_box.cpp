#include "gui/widgets/warning_box.h"

#include <wx/msgdlg.h>

#include "gui/widgets/wx_text.h"
#include "settings/catalogue.h"

namespace {

// The catalogue ends its lines in CR LF, the toolkit its labels in LF.
wxString lineBreaks(const std::string& text)
{
    wxString result = toWx(text);
    result.Replace("\r\n", "\n");
    return result;
}

}  // namespace

void showWarning(wxWindow* parent, const std::string& text)
{
    wxMessageDialog box(parent, lineBreaks(text), toWx(lookupText("Msg", "Warning")), wxOK | wxICON_WARNING);
    box.ShowModal();
}

bool askBreakConversion(wxWindow* parent)
{
    wxMessageDialog box(parent, lineBreaks(lookupText("Msg", "Ask break conversion")),
                        toWx(lookupText("Msg", "Warning")), wxYES_NO | wxICON_WARNING);
    return box.ShowModal() == wxID_YES;
}
