#include "gui/builtin_pictures.h"

std::vector<unsigned char> builtinPicture(std::string_view name)
{
    for (const BuiltinPicture& picture : builtinPictures)
        if (picture.name == name)
            return {picture.bytes, picture.bytes + picture.size};
    return {};
}
