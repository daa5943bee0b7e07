#pragma once

#include <wx/window.h>

void openCustomConverter(wxWindow* parent);
