#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "hostile/hostile_support.h"

namespace {

const std::string kStopped = "Conversion stopped\n";

// Removes a folder that may lie deeper than any path the system takes whole,
// one level at a time through descriptors.
void removeTreeAt(int parent, const std::string& name)
{
    const int fd = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (fd < 0) {
        unlinkat(parent, name.c_str(), 0);
        return;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd) + "/";
    for (const std::string& entry : namesIn(self))
        removeTreeAt(fd, entry);
    close(fd);
    unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

// levels folders of 100 characters each below folder; the path of the last,
// ending with "/". Built through descriptors, as the path may be too long
// to create in one call.
std::string deepFolder(const std::string& folder, int levels)
{
    const std::string name(100, 'd');
    std::string path = folder;
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < levels && fd >= 0; ++level) {
        mkdirat(fd, name.c_str(), 0755);
        const int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
        path += name + "/";
    }
    if (fd >= 0) {
        const std::string pac = readFile(testDataPath("kodim23.pcd"));
        const int file = openat(fd, "deep.pcd", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_EQ(write(file, pac.data(), pac.size()), static_cast<ssize_t>(pac.size()));
        close(file);
        close(fd);
    }
    return path;
}

}  // namespace

TEST(HostileNames, BracketsNameTheirOwnFileNotAPattern)
{
    HostileScene scene;
    scene.copySample("kodim04.pcd", "a[1].pcd");  // portrait
    scene.copySample("kodim23.pcd", "a1.pcd");    // landscape
    for (const char* name : {"a[1]", "a1"}) {
        ProgramRun run = scene.run({"-q", "-i", scene.in + name + ".pcd", "-o", scene.out});
        EXPECT_EQ(run.output, "") << name;
    }
    PictureFacts bracketed = jpegFacts(scene.out + "a[1].jpg");
    PictureFacts plain = jpegFacts(scene.out + "a1.jpg");
    EXPECT_TRUE(bracketed.loads && plain.loads);
    EXPECT_EQ(bracketed.width, 512u);
    EXPECT_EQ(bracketed.height, 768u);
    EXPECT_EQ(plain.width, 768u);
    EXPECT_EQ(plain.height, 512u);
    expectNoLeftovers(scene);
}

TEST(HostileNames, AwkwardCharactersReachTheOutputNameUnchanged)
{
    HostileScene scene;
    const std::vector<std::string> stems = {
        "with  spaces ", "single'double\"quotes", "line\nbreak", "\xFF\xFE\x80 not utf-8",
        "glob*?[!a]",    "$(touch injected)",     "back\\slash", "\xC3\xA9t\xC3\xA9 photo",
    };
    for (const std::string& stem : stems) {
        scene.copySample("kodim23.pcd", stem + ".pcd");
        ProgramRun run = scene.run({"-q", "-i", scene.in + stem + ".pcd", "-o", scene.out});
        EXPECT_EQ(run.output, "") << stem;
        EXPECT_TRUE(jpegFacts(scene.out + stem + ".jpg").loads) << stem;
    }
    EXPECT_EQ(namesIn(scene.out).size(), stems.size());
    EXPECT_EQ(namesIn(scene.in).size(), stems.size());
    expectNoLeftovers(scene);

    // Case placeholders keep the bytes that are not UTF-8 and change the rest.
    ProgramRun run = scene.run({"-q", "-i", scene.in + stems[3] + ".pcd", "-o", scene.out,
                                "--filename-mask=%filename[t]%-%filename[u]%.%ext%"});
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(jpegFacts(scene.out + "\xFF\xFE\x80 not utf-8-\xFF\xFE\x80 NOT UTF-8.jpg").loads);
}

TEST(HostileNames, ALeadingDashIsANameOnlyWhenWrittenAsAPath)
{
    HostileScene scene;
    scene.copySample("kodim23.pcd", "-dash.pcd");
    ProgramRun bare = runKorvane({"-q", "-i", "-dash.pcd", "-o", scene.out}, {{"TMPDIR", scene.temp}}, scene.in);
    EXPECT_EQ(bare.output, "Error: Incorrect number of parameters\n");
    EXPECT_TRUE(namesIn(scene.out).empty());

    ProgramRun path = runKorvane({"-q", "-i", "./-dash.pcd", "-o", scene.out}, {{"TMPDIR", scene.temp}}, scene.in);
    EXPECT_EQ(path.output, "");
    EXPECT_TRUE(jpegFacts(scene.out + "-dash.jpg").loads);
    EXPECT_EQ(namesIn(scene.in), std::vector<std::string>{"-dash.pcd"});
    expectNoLeftovers(scene);
}

TEST(HostileNames, ALongNameConvertsAndOneTooLongForTheDiskFails)
{
    HostileScene scene;
    const std::string stem(246, 'n');  // 250 bytes with ".pcd"
    const std::string input = scene.copySample("kodim23.pcd", stem + ".pcd");
    EXPECT_EQ(scene.run({"-q", "-i", input, "-o", scene.out}).output, "");
    EXPECT_TRUE(jpegFacts(scene.out + stem + ".jpg").loads);

    ProgramRun run = scene.run({"-q", "-i", input, "-o", scene.out, "--filename-mask=%filename%-converted.%ext%"});
    EXPECT_EQ(run.output, kStopped);
    EXPECT_EQ(namesIn(scene.out), std::vector<std::string>{stem + ".jpg"});
    expectNoLeftovers(scene);
}

TEST(HostileNames, DeepFoldersWorkUpToThePathLimitAndFailPlainlyBeyondIt)
{
    HostileScene scene;
    const std::string deepIn = deepFolder(scene.in, 19);  // about 1,950 bytes
    const std::string deepOut = deepFolder(scene.out, 19);
    ProgramRun run = scene.run({"-q", "-i", deepIn + "deep.pcd", "-o", deepOut});
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(jpegFacts(deepOut + "deep.jpg").loads);

    mkdir((scene.root.path + "far/").c_str(), 0755);
    const std::string tooDeep = deepFolder(scene.root.path + "far/", 45);  // beyond 4,096 bytes
    EXPECT_EQ(scene.run({"-q", "-i", tooDeep + "deep.pcd", "-o", scene.out}).output, "Error: Invalid input file\n");
    EXPECT_EQ(scene.run({"-q", "-i", deepIn + "deep.pcd", "-o", tooDeep}).output, "Error: Invalid output folder\n");
    expectNoLeftovers(scene);
    const int root = open(scene.root.path.c_str(), O_RDONLY | O_DIRECTORY);
    removeTreeAt(root, "far");
    close(root);
}

TEST(HostileNames, AMaskThatNamesTheInputNeverReplacesIt)
{
    HostileScene scene;
    const std::string input = scene.copySample("kodim23.pcd", "kodim23.pcd");
    const std::string original = readFile(input);
    // Into the input's folder, named with -o and by default, in either case.
    const std::vector<std::vector<std::string>> runs = {
        {"-q", "-i", input, "-o", scene.in, "--filename-mask=%filename%.pcd"},
        {"-q", "-i", input, "--filename-mask=%FILENAME%.PCD"},
    };
    for (const auto& arguments : runs) {
        EXPECT_EQ(scene.run(arguments).output, kStopped) << arguments.back();
        EXPECT_EQ(readFile(input), original);
        EXPECT_EQ(namesIn(scene.in), std::vector<std::string>{"kodim23.pcd"});
    }
    // A second name of the same file where the output would go.
    ASSERT_EQ(link(input.c_str(), (scene.out + "kodim23.pcd").c_str()), 0);
    EXPECT_EQ(scene.run({"-q", "-i", input, "-o", scene.out, "--filename-mask=%filename%.pcd"}).output, kStopped);
    EXPECT_EQ(readFile(scene.out + "kodim23.pcd"), original);
    // Any other name in the same folder still converts.
    EXPECT_EQ(scene.run({"-q", "-i", input, "-o", scene.in, "--filename-mask=%filename%-copy.%ext%"}).output, "");
    EXPECT_TRUE(jpegFacts(scene.in + "kodim23-copy.jpg").loads);
    EXPECT_EQ(readFile(input), original);
    expectNoLeftovers(scene);
}

TEST(HostileNames, APercentSignInTheTemporaryFolderReachesNoPlaceholder)
{
    HostileScene scene;
    const std::string temp = scene.root.path + "tp%d/";
    ASSERT_EQ(mkdir(temp.c_str(), 0755), 0);
    const std::string input = scene.copySample("kodim23-16base.pcd", "pac.pcd");
    ProgramRun run = runKorvane({"-q", "-i", input, "-o", scene.out}, {{"TMPDIR", temp}}, scene.work);
    EXPECT_EQ(run.output, "");
    // convert wrote the whole 16Base picture where it was told, not into tp0/.
    PictureFacts facts = jpegFacts(scene.out + "pac.jpg");
    EXPECT_TRUE(facts.loads);
    EXPECT_EQ(facts.width, 3072u);
    EXPECT_EQ(facts.height, 2048u);
    EXPECT_EQ(namesIn(scene.root.path), (std::vector<std::string>{"in", "out", "temp", "tp%d", "work"}));
    EXPECT_TRUE(namesIn(temp).empty());
    expectNoLeftovers(scene);
}

TEST(HostileNames, FoldersMadeForASaveThatFailsAreRemovedAgain)
{
    HostileScene scene;
    const std::string input = scene.copySample("kodim23.pcd", "kodim23.pcd");
    mkdir((scene.out + "kept").c_str(), 0755);
    std::string tooDeep;
    for (int level = 0; level < 2100; ++level)
        tooDeep += "d/";
    const std::vector<std::string> masks = {
        "kept/new/newer/" + std::string(300, 'n') + ".%ext%",  // a name longer than any file system takes
        tooDeep + "%filename%.%ext%",                          // beyond the path limit, 2,000 folders down
    };
    for (const std::string& mask : masks) {
        ProgramRun run = scene.run({"-q", "-i", input, "-o", scene.out, "--filename-mask=" + mask});
        EXPECT_EQ(run.output, kStopped) << mask.substr(0, 20);
        EXPECT_EQ(namesIn(scene.out), std::vector<std::string>{"kept"}) << mask.substr(0, 20);
        EXPECT_TRUE(namesIn(scene.out + "kept").empty()) << mask.substr(0, 20);
    }
    expectNoLeftovers(scene);
}

TEST(HostileNames, EscapeSequencesInANameReachATerminalAsQuestionMarks)
{
    HostileScene scene;
    const std::string name = "x\x1b]0;owned\x07\x1b[2J\xc2\x9b"
                             "31m.pcd";
    const std::string input = scene.copySample("kodim23.pcd", name);
    const std::vector<std::string> arguments = {"-d", "-i", input, "-o", scene.out};

    int master = -1;
    int terminal = -1;
    ASSERT_EQ(openpty(&master, &terminal, nullptr, nullptr, nullptr), 0);
    std::string shown;
    std::thread reader([&] {
        char buffer[4096];
        for (ssize_t got; (got = read(master, buffer, sizeof(buffer))) > 0;)
            shown.append(buffer, static_cast<size_t>(got));
    });
    RunSetup setup;
    setup.env = {{"TMPDIR", scene.temp}};
    setup.workingFolder = scene.work;
    setup.standardOutput = terminal;
    {
        StartedRun run(arguments, setup);
        close(terminal);  // the reader sees the end once the program has gone
        EXPECT_EQ(run.finish().exitCode, 0);
    }
    reader.join();
    close(master);
    EXPECT_NE(shown.find("Processing: " + scene.in + "x?]0;owned??[2J?31m.pcd"), std::string::npos) << shown;
    // The only escape sequence is the program's own title.
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\x1b'), 1);
    EXPECT_TRUE(shown.starts_with("\x1b]0;Tessaly PCD to JPG 3.0\x07"));

    // A pipe gets the name byte for byte.
    const ProgramRun piped = scene.run(arguments);
    EXPECT_NE(piped.output.find("Processing: " + input + "\n"), std::string::npos);
}
