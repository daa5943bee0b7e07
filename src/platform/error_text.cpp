#include "platform/error_text.h"

#include <cstring>

std::string errorText(int error)
{
    char buffer[256];
    // The GNU strerror_r: it returns the text, in buffer or a static one.
    return strerror_r(error, buffer, sizeof(buffer));
}
