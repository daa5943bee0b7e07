#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "test_support.h"

// One run of the program against a hostile input, in folders of its own: the
// input folder, the output folder, the temporary folder (TMPDIR) and the
// working folder. After the run every one of them can be checked for what
// the program left where it should not.
struct HostileScene {
    ScratchFolder root;
    std::string in = folder("in/");
    std::string out = folder("out/");
    std::string temp = folder("temp/");
    std::string work = folder("work/");

    // Runs korvane with TMPDIR and the working folder of the scene.
    ProgramRun run(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& env = {}) const;
    // A copy of a sample pac below in/ under another name; its path.
    std::string copySample(const std::string& sample, const std::string& name) const;

private:
    std::string folder(const std::string& name);
};

// A small memory file system mounted over a folder for the length of a test.
// Mounting needs root; mounted stays false where it is not allowed.
struct SmallFileSystem {
    std::string folder;
    bool mounted = false;
    SmallFileSystem(const std::string& path, const std::string& size);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool makeReadOnly();
};

// The parts of a file that the checks below look at.
struct PictureFacts {
    bool loads = false;  // FreeImage reads it as a JPEG, every byte of it there
    unsigned width = 0;
    unsigned height = 0;
};
PictureFacts jpegFacts(const std::string& path);

// The first bytes of a pac cut off after that many 2048-byte sectors.
std::string cutSample(const std::string& sample, size_t sectors);

// Nothing of the run is left in the temporary or the working folder, and no
// temporary file of a save in the output folder.
void expectNoLeftovers(const HostileScene& scene);

// Gone, or a zombie that only waits for its parent to collect it.
bool processEnded(pid_t pid);

// Waits up to ten seconds for the condition; false when it never held.
bool eventually(const std::function<bool()>& condition);
