#include "gui/widgets/shell_open.h"

#include <string>

#include <wx/log.h>
#include <wx/utils.h>

#include "platform/environment.h"

void openWithShell(const std::string& target)
{
    wxLogNull quiet;  // a target nobody opens is not worth a message
    wxString wxTarget = wxString::FromUTF8(target);
    if (std::optional<std::string> opener = environmentValue("KORVANE_OPENER")) {
        std::wstring program = wxString::FromUTF8(*opener).ToStdWstring();
        std::wstring argument = wxTarget.ToStdWstring();
        const wchar_t* argv[] = {program.c_str(), argument.c_str(), nullptr};
        wxExecute(argv, wxEXEC_ASYNC);
        return;
    }
    if (target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0)
        wxLaunchDefaultBrowser(wxTarget);
    else
        wxLaunchDefaultApplication(wxTarget);
}
