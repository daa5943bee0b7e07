#pragma once

#include <string>
#include <string_view>

// The access keys a desktop underlines in menus and on buttons (Alt+F for
// the File menu). Catalogue texts carry none; the window marks them where it
// builds a label.

// The keys already given in one menu, menu bar or dialog.
struct AccessKeyGroup {
    std::string taken;  // lower-case ASCII letters and digits
};

// text marked for the toolkit: "&" before its first ASCII letter or digit
// whose key the group has not given yet, which the group then holds. A text
// whose every letter is taken gets no key. A "&" of the text itself is
// doubled, so that it shows as written.
std::string withAccessKey(std::string_view text, AccessKeyGroup& group);
