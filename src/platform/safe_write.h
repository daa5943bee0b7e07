#pragma once

#include <string>
#include <string_view>

#include "platform/write_result.h"

// Writes content as the file relativePath below baseFolder, never leaving a
// half-written file behind and never destroying an existing one for nothing.
//
// relativePath separates folders with "/"; every part must be a name (not
// empty, "." or ".."). Missing folders on the way are created one level at a
// time, each only where nothing of that name exists. Nothing is created or
// written outside baseFolder, also not through a symbolic link that leads
// elsewhere.
//
// The content goes to a temporary file in the target folder, created afresh,
// and replaces an existing file only once every byte is written, flushed to
// the disk and the file closed without error. On any failure the temporary
// file is removed and an existing file stays as it was. An existing file
// this user may not write is not replaced.
//
// A failure says why: the error of the call that refused, or the rule above
// that stopped the write.
WriteResult replaceFileBelowFolder(const std::string& baseFolder, const std::string& relativePath,
                                   std::string_view content);
