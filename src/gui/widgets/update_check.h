#pragma once

#include <wx/window.h>

void checkForUpdates(wxWindow* parent);
void autoUpdateCheck(wxWindow* parent);
