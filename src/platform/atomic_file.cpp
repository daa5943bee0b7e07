#include "platform/atomic_file.h"

#include <climits>
#include <cstdlib>

#include "platform/safe_write.h"
#include "platform/text.h"

namespace {

// A settings file kept elsewhere and linked here is updated where it lives,
// instead of the link being replaced by a plain file.
std::string linkTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

WriteResult replaceFileAtomically(const std::string& path, std::string_view bytes)
{
    const std::string target = linkTarget(path);
    std::string folder = folderOf(target);
    if (folder.empty())
        folder = "./";
    return replaceFileBelowFolder(folder, fileNameOf(target), bytes);
}
