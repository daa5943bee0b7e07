#include "gui/web_addresses.h"

#include "app/program_identity.h"
#include "platform/environment.h"

std::string homePageAddress()
{
    return makerWebAddress;
}

std::string supportMailAddress()
{
    return KORVANE_SUPPORT_ADDRESS;
}

std::string converterSearchPage()
{
    return KORVANE_SEARCH_URL;
}

std::string uninstallPageAddress()
{
    return KORVANE_UNINSTALL_URL;
}

std::string updateFileAddress()
{
    return environmentValue("KORVANE_UPDATE_URL").value_or(KORVANE_UPDATE_URL);
}
