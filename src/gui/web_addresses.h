#pragma once

#include <string>

// The maker's addresses the window opens; set when the program is built.
std::string homePageAddress();      // the product page
std::string supportMailAddress();   // without "mailto:"
std::string converterSearchPage();  // ends with "find/"
std::string uninstallPageAddress();

// The version file of the update check; KORVANE_UPDATE_URL in the
// environment replaces it (for packagers' mirrors and for tests).
std::string updateFileAddress();
