#pragma once

class wxWindow;

// The search for a converter between two extensions on the maker's site.
void openCustomConverter(wxWindow* parent);
