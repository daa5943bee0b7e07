#include "app/program_identity.h"

const char* const programTitle = "Tessaly PCD to JPG";
const int programVersion = 300;
const char* const makerWebAddress = KORVANE_HOMEPAGE_URL;

std::string versionText(int version)
{
    std::string text = std::to_string(version);
    if (text.size() > 1)
        text.insert(1, ".");
    if (text.size() > 3)
        text.insert(3, ".");
    if (!text.empty() && text.back() == '0')
        text = text.substr(0, 3);
    return text;
}

std::string titledName(const std::string& title, int version)
{
    return title + " " + versionText(version);
}
