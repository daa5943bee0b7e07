#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The pictures compiled into the program, rendered from gfx-src/ at build
// time: the icon of each control name of the icon tables at every toolbar
// size (see builtinIcon), "ConvertButton" for the large Convert button and
// "Banner" for the about box.
struct BuiltinPicture {
    std::string_view name;
    const unsigned char* bytes;
    size_t size;
};

extern const std::vector<BuiltinPicture> builtinPictures;

// The PNG bytes of the named picture; empty when there is none.
std::vector<unsigned char> builtinPicture(std::string_view name);

// The PNG bytes of a control's icon drawn at size pixels (one of the sizes
// iconPixelSize gives); empty for another size or an unknown control.
std::vector<unsigned char> builtinIcon(std::string_view control, int size);
