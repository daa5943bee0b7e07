#include "gui/links.h"

#include "app/program_identity.h"
#include "gui/web_addresses.h"
#include "platform/files.h"

namespace {

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// The same folder written with or without its closing "/".
bool sameFolder(std::string a, std::string b)
{
    while (!a.empty() && a.back() == '/')
        a.pop_back();
    while (!b.empty() && b.back() == '/')
        b.pop_back();
    return a == b;
}

}  // namespace

std::string percentEncode(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : text) {
        if (isUnreserved(c)) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        }
    }
    return encoded;
}

std::string feedbackMailLink()
{
    return std::string("mailto:") + supportMailAddress() +
           "?subject=" + percentEncode(titledName(programTitle, programVersion) + " Feedback");
}

std::string manualPath(const std::string& programFolder)
{
    const std::string installed = programFolder + "../share/doc/korvane/manual/index.html";
    if (regularFileSize(installed))
        return installed;
    const std::string inSources = std::string(KORVANE_SOURCE_DIR) + "/docs/manual/index.html";
    if (sameFolder(programFolder, KORVANE_BUILD_DIR) && regularFileSize(inSources))
        return inSources;
    return "";
}
