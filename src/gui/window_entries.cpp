#include "gui/window_entries.h"

#include "platform/files.h"
#include "platform/loadable_module.h"

namespace {
constexpr char kModuleName[] = "korvane-window.so";
}  // namespace

std::string windowModulePath(const std::string& programFolder)
{
    const std::string beside = programFolder + kModuleName;
    return regularFileSize(beside).has_value() ? beside : programFolder + "../" KORVANE_MODULE_DIR + kModuleName;
}

std::optional<WindowEntries> loadWindowEntries(const std::string& programFolder, std::string& error)
{
    const std::string path = windowModulePath(programFolder);
    const void* entries = moduleSymbol(path, kWindowEntriesSymbol, error);
    if (!entries)
        return std::nullopt;
    return *static_cast<const WindowEntries*>(entries);
}
