#include "platform/write_result.h"

#include "platform/error_text.h"

WriteResult writeSucceeded()
{
    return {true, ""};
}

WriteResult writeFailed(std::string why)
{
    return {false, std::move(why)};
}

WriteResult writeFailedWith(int error)
{
    return writeFailed(errorText(error));
}
