#include "gui/access_keys.h"

namespace {

bool isKeyCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string withAccessKey(std::string_view text, AccessKeyGroup& group)
{
    std::string marked;
    bool given = false;
    for (char c : text) {
        if (c == '&') {
            marked += "&&";
            continue;
        }
        if (!given && isKeyCharacter(c) && group.taken.find(lowerAscii(c)) == std::string::npos) {
            group.taken += lowerAscii(c);
            marked += '&';
            given = true;
        }
        marked += c;
    }
    return marked;
}
