#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "hostile/hostile_support.h"

namespace {

struct FailureCase {
    std::string what;
    std::vector<std::string> arguments;  // besides -q -d
    std::map<std::string, std::string> env;
    std::string reason;  // the words after "Reason: "
};

}  // namespace

// A debug run names what stopped a file on the line after the error, for
// every kind of failure; the console prints nothing else about it.
TEST(HostileReasons, ADebugRunSaysWhyAFileFailed)
{
    HostileScene scene;
    const std::string pac = scene.copySample("kodim23.pcd", "photo.pcd");
    const std::string notAPac = scene.in + "notes.pcd";
    writeFile(notAPac, std::string(4096, 'x'));
    writeFile(scene.out + "blocker", "a file, not a folder");
    ScratchFolder noDecoder;
    ScratchFolder hangingDecoder;
    ScratchFolder garbageDecoder;

    std::vector<FailureCase> cases = {
        {"no decoder on PATH",
         {"-i", notAPac, "-o", scene.out},
         {{"PATH", noDecoder.path}},
         "the decoder could not be started: No such file or directory"},
        {"a decoder that hangs",
         {"-i", notAPac, "-o", scene.out},
         {{"PATH", stubConvertPath(hangingDecoder, "sleep 30")}, {"KORVANE_CONVERT_TIMEOUT", "1"}},
         "the decoder timed out after 1 s"},
        {"a decoder that leaves garbage",
         {"-i", notAPac, "-o", scene.out},
         {{"PATH", stubConvertPath(garbageDecoder, "echo garbage > picture.ppm")}},
         "the decoded picture could not be read"},
        {"a size beyond 2^28 pixels",
         {"-i", pac, "-o", scene.out, "--width=20000", "--height=20000"},
         {},
         "the resize step made no picture"},
        {"a mask naming the input",
         {"-i", pac, "--filename-mask=%filename%.pcd"},
         {},
         "the output file name is the input file itself"},
        {"a file where a folder should be",
         {"-i", pac, "-o", scene.out, "--filename-mask=blocker/%filename%.%ext%"},
         {},
         "the output file could not be saved: Not a directory"},
    };
    // Permission bits do not stop root, a read-only file system does; as root
    // where nothing may be mounted, there is no read-only folder to try.
    SmallFileSystem readOnly(scene.root.path + "readonly/", "1m");
    if (readOnly.mounted && readOnly.makeReadOnly())
        cases.push_back({"a read-only folder",
                         {"-i", pac, "-o", readOnly.folder},
                         {},
                         "the output file could not be saved: Read-only file system"});
    else if (geteuid() != 0 && chmod(readOnly.folder.c_str(), 0555) == 0)
        cases.push_back({"a read-only folder",
                         {"-i", pac, "-o", readOnly.folder},
                         {},
                         "the output file could not be saved: Permission denied"});

    for (const FailureCase& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.begin(), {"-q", "-d"});
        const std::vector<std::string> lines = scene.run(arguments, c.env).lines();
        ASSERT_GE(lines.size(), 3u) << c.what;
        EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
                  (std::vector<std::string>{"[ERROR] Unable to convert the file!", "Reason: " + c.reason,
                                            "Conversion stopped"}))
            << c.what;
    }
    EXPECT_EQ(namesIn(scene.out), std::vector<std::string>{"blocker"});
    EXPECT_EQ(namesIn(scene.in), (std::vector<std::string>{"notes.pcd", "photo.pcd"}));
    expectNoLeftovers(scene);
}
