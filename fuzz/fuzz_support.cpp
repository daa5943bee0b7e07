#include "fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>

std::string_view inputText(const uint8_t* data, size_t size)
{
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

std::vector<std::string> piecesOf(std::string_view text)
{
    std::vector<std::string> pieces;
    for (;;) {
        const size_t nul = text.find('\0');
        pieces.emplace_back(text.substr(0, nul));
        if (nul == std::string_view::npos)
            return pieces;
        text.remove_prefix(nul + 1);
    }
}

namespace {

std::string g_scratchFolder;
std::set<std::string> g_scratchFiles;

// libFuzzer ends a run that found nothing through exit(), so the folder goes too.
void removeScratch()
{
    for (const std::string& path : g_scratchFiles)
        unlink(path.c_str());
    rmdir(g_scratchFolder.c_str());
}

}  // namespace

std::string scratchPath(const std::string& name)
{
    if (g_scratchFolder.empty()) {
        struct stat st { };
        std::string pattern = stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
        pattern += "/korvane-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        g_scratchFolder = pattern + "/";
        std::atexit(removeScratch);
    }
    const std::string path = g_scratchFolder + name;
    g_scratchFiles.insert(path);
    return path;
}

bool writeScratch(const std::string& path, std::string_view content)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
    return static_cast<bool>(file.flush());
}
