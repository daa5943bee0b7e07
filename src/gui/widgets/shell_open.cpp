#include "gui/widgets/shell_open.h"

#include <wx/log.h>
#include <wx/utils.h>

#include "gui/widgets/wx_text.h"
#include "platform/environment.h"
#include "platform/text.h"

void openWithShell(const std::string& target)
{
    if (target.empty())
        return;
    wxLogNull quiet;
    if (std::optional<std::string> opener = environmentValue("KORVANE_OPENER"); opener && !opener->empty()) {
        const wxString program = toWx(*opener);
        const wxString argument = toWx(target);
        const wxChar* argv[] = {program.wc_str(), argument.wc_str(), nullptr};
        wxExecute(argv, wxEXEC_ASYNC);
        return;
    }
    const std::string lower = toLowerAscii(target);
    if (startsWith(lower, "http:") || startsWith(lower, "https:") || startsWith(lower, "mailto:"))
        wxLaunchDefaultBrowser(toWx(target), wxBROWSER_NOBUSYCURSOR);
    else
        wxLaunchDefaultApplication(toWx(target));
}
