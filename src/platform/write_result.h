#pragma once

#include <string>

// Whether a write reached its file, and if not, why: the words of the error
// the refusing call gave, or what was refused before any call was made.
struct WriteResult {
    bool written = false;
    std::string failure;  // "" when written

    explicit operator bool() const { return written; }
};

WriteResult writeSucceeded();
WriteResult writeFailed(std::string why);
// The failure of a call that left error in errno.
WriteResult writeFailedWith(int error);
