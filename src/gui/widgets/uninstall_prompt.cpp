#include "gui/widgets/uninstall_prompt.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include "gui/web_addresses.h"
#include "gui/widgets/catalogue_text.h"
#include "gui/widgets/shell_open.h"
#include "gui/widgets/small_dialog_windows.h"

UninstallPrompt::UninstallPrompt()
    : wxDialog(nullptr, wxID_ANY, catalogueText("Uninstall", "Title"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU, "uninstall")
{
    AccessKeyGroup keys;
    visit_ = new wxCheckBox(this, wxID_ANY, catalogueLabel("Uninstall", "Uninstall Text", keys), wxDefaultPosition,
                            wxDefaultSize, 0, wxDefaultValidator, "visit-uninstall-center");
    visit_->SetValue(true);
    auto* next = new wxButton(this, wxID_ANY, catalogueLabel("Uninstall", "Next", keys), wxDefaultPosition,
                              wxDefaultSize, 0, wxDefaultValidator, "next");
    next->SetDefault();
    next->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_OK); });
    // Left to itself, wx would answer the close box by pressing the one button
    // there is, and Escape not at all; both leave without opening anything.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
        if (IsModal())
            EndModal(wxID_CANCEL);
        else
            Hide();
    });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE && IsModal())
            EndModal(wxID_CANCEL);
        else
            event.Skip();
    });

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(visit_, 0, wxLEFT | wxRIGHT | wxTOP, 20);
    column->Add(next, 0, wxALIGN_RIGHT | wxALL, 16);
    column->SetMinSize(300, -1);
    SetSizerAndFit(column);
    next->SetFocus();
}

void runUninstallPrompt()
{
    UninstallPrompt prompt;
    prompt.CentreOnScreen();
    if (prompt.ShowModal() == wxID_OK && prompt.pageWanted())
        openWithShell(uninstallPageAddress());
}
