#include "gui/builtin_pictures.h"

#include <string>

std::vector<unsigned char> builtinPicture(std::string_view name)
{
    for (const BuiltinPicture& picture : builtinPictures)
        if (picture.name == name)
            return {picture.bytes, picture.bytes + picture.size};
    return {};
}

std::vector<unsigned char> builtinIcon(std::string_view control, int size)
{
    return builtinPicture(std::string(control) + "_" + std::to_string(size));
}
