#pragma once

#include <string>
#include <string_view>

#include "platform/write_result.h"

// Replaces the file at path by bytes so that the file is either the old one or
// the complete new one, whatever happens meanwhile (a full disk, a crash, a
// power cut). The bytes go to a temporary file in the same folder, are flushed
// to the disk and then renamed over path. On any failure, which the result
// explains, the old file is untouched and the temporary file is gone. A
// symbolic link at path is followed, and the file keeps its permission bits.
WriteResult replaceFileAtomically(const std::string& path, std::string_view bytes);
