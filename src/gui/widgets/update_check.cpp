#include "gui/widgets/update_check.h"

#include "app/program_identity.h"
#include "gui/update_answer.h"
#include "gui/update_fetch.h"
#include "gui/update_schedule.h"
#include "gui/web_addresses.h"
#include "gui/widgets/shell_open.h"
#include "gui/widgets/ui_wait.h"
#include "gui/widgets/warning_box.h"
#include "platform/clock.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"

void checkForUpdates(wxWindow* parent)
{
    std::string url = updateFileAddress();
    std::string agent = titledName(programTitle, programVersion);
    std::string bodyStart;
    runWhileRedrawing([&] { bodyStart = fetchUpdateBody(url, agent); });

    UpdateOutcome outcome = updateOutcome(bodyStart, programVersion);
    UpdateNotice notice = updateNotice(outcome);
    switch (outcome) {
    case UpdateOutcome::NewVersion:
        if (showMessageBox(parent, notice.text, notice.title, MessageKind::Question, true))
            openWithShell(homePageAddress());
        break;
    case UpdateOutcome::NoUpdate:
        showMessageBox(parent, notice.text, notice.title, MessageKind::Information, false);
        break;
    case UpdateOutcome::ConnectionProblem:
        showMessageBox(parent, notice.text, notice.title, MessageKind::Error, false);
        break;
    }
}

void autoUpdateCheck(wxWindow* parent)
{
    runAutomaticCheck(
        g_settings, currentLocalTime(),
        [parent] {
            return showMessageBox(parent, lookupText("Msg", "Ask check for updates"),
                                  lookupText("Msg", "Check for Updates"), MessageKind::Question, true);
        },
        [parent] { checkForUpdates(parent); });
}
