#pragma once

class wxWindow;

// Asks the maker's server for a newer version and says what it found.
void checkForUpdates(wxWindow* parent);
// The same at start, when the chosen interval has passed since the last check.
void autoUpdateCheck(wxWindow* parent);
