#pragma once

#include <wx/window.h>

// Names a control that shows no text of its own (a text field, a picture)
// for screen readers and for the window tests, which find controls by name.
void setAccessibleName(wxWindow* control, const wxString& name);
