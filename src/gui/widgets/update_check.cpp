#include "gui/widgets/update_check.h"

#include <wx/msgdlg.h>

#include "app/program_identity.h"
#include "gui/update_answer.h"
#include "gui/update_fetch.h"
#include "gui/update_schedule.h"
#include "gui/web_addresses.h"
#include "gui/widgets/catalogue_text.h"
#include "gui/widgets/shell_open.h"
#include "gui/widgets/ui_wait.h"
#include "gui/widgets/wx_text.h"
#include "platform/clock.h"
#include "settings/conversion_settings.h"

void checkForUpdates(wxWindow* parent)
{
    std::string url = updateFileAddress();
    std::string agent = titledName(programTitle, programVersion);
    std::string bodyStart;
    runWhileRedrawing([&] { bodyStart = fetchUpdateBody(url, agent); });

    UpdateOutcome outcome = updateOutcome(bodyStart, programVersion);
    UpdateNotice notice = updateNotice(outcome);
    wxString title = toWx(notice.title);
    wxString text = toWx(notice.text);
    switch (outcome) {
    case UpdateOutcome::NewVersion:
        if (wxMessageBox(text, title, wxYES_NO | wxICON_QUESTION, parent) == wxYES)
            openWithShell(homePageAddress());
        break;
    case UpdateOutcome::NoUpdate: wxMessageBox(text, title, wxOK | wxICON_INFORMATION, parent); break;
    case UpdateOutcome::ConnectionProblem: wxMessageBox(text, title, wxOK | wxICON_ERROR, parent); break;
    }
}

void autoUpdateCheck(wxWindow* parent)
{
    runAutomaticCheck(
        g_settings, currentLocalTime(),
        [parent] {
            return wxMessageBox(catalogueText("Msg", "Ask check for updates"),
                                catalogueText("Msg", "Check for Updates"), wxYES_NO | wxICON_QUESTION, parent) == wxYES;
        },
        [parent] { checkForUpdates(parent); });
}
