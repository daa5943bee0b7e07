#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The pictures compiled into the program, rendered from gfx-src/ at build
// time: a 16-pixel icon under each control name of the icon tables,
// "ConvertButton" for the large Convert button and "Banner" for the about box.
struct BuiltinPicture {
    std::string_view name;
    const unsigned char* bytes;
    size_t size;
};

extern const std::vector<BuiltinPicture> builtinPictures;

// The PNG bytes of the named picture; empty when there is none.
std::vector<unsigned char> builtinPicture(std::string_view name);
