#pragma once

#include <string>

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "gui/image_tables.h"

// The small dialogs, built but not shown: their openers show them modally,
// the screenshot mode shows them just long enough to take their picture.

// Banner, title, notice, web and mail links, OK. Return and Escape close it.
class AboutBox : public wxDialog {
public:
    AboutBox(wxWindow* parent, const PictureSlots& pictures);
};

// Two extension fields and Search. Return searches, Escape closes. A search
// with both fields usable ends the dialog with wxID_OK and searchTarget set.
class CustomConverterDialog : public wxDialog {
public:
    explicit CustomConverterDialog(wxWindow* parent);
    const std::string& searchTarget() const { return searchTarget_; }

private:
    void search();
    wxTextCtrl* from_;
    wxTextCtrl* to_;
    std::string searchTarget_;
};

// The check box and Next of `-U`. Next ends the dialog with wxID_OK, the
// close box with wxID_CANCEL.
class UninstallPrompt : public wxDialog {
public:
    UninstallPrompt();
    bool pageWanted() const { return visit_->GetValue(); }

private:
    wxCheckBox* visit_;
};
