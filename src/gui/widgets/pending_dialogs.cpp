// The dialogs that the main window opens but that are not built yet: each
// does nothing, so that their commands are wired and harmless meanwhile.
#include "gui/widgets/about_box.h"
#include "gui/widgets/custom_converter.h"
#include "gui/widgets/preferences_dialog.h"
#include "gui/widgets/uninstall_prompt.h"
#include "gui/widgets/update_check.h"

int openPreferences(wxWindow*, PreferencesPage) { return 0; }
void openAboutBox(wxWindow*, const PictureSlots&) {}
void openCustomConverter(wxWindow*) {}
void checkForUpdates(wxWindow*) {}
void autoUpdateCheck(wxWindow*) {}
void runUninstallPrompt() {}
