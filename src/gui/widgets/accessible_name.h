#pragma once

class wxString;
class wxWindow;

// The name by which assistive tools and window tests find a control that has
// no text of its own (a list, a field, a track bar), usually its row's label.
void setAccessibleName(wxWindow* window, const wxString& name);
