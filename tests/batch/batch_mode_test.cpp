#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "hostile/hostile_support.h"
#include "test_support.h"

namespace {

// A convert that makes a picture one pixel high whose width tells which pac
// it came from (a pixel for every 100,000 bytes and one more), so that a
// test can see which input an output holds. It runs in its work folder,
// where source.pcd links to the input. An input whose name holds BROKEN
// makes it fail; one holding SLOW makes it note its pid in $PIDS and hang
// when PIDS is set.
const char* const kPictureByInputSize = R"(src=$(readlink source.pcd)
case "$src" in *SLOW*) [ -n "$PIDS" ] && echo $$ > "$PIDS/$(basename "$src").pid" && exec sleep 60 ;; esac
case "$src" in *BROKEN*) exit 1 ;; esac
case "$src" in */d1/*) sleep 0.3 ;; esac
w=$(( $(stat -L -c %s "$src") / 100000 + 1 ))
printf 'P6\n%d 1\n255\n' $w > "${5#ppm:}"
head -c $((3 * w)) /dev/zero >> "${5#ppm:}")";

// Pixels a line of the pictures the stub makes from these samples.
constexpr unsigned kBaseWidth = 8;       // kodim23.pcd
constexpr unsigned kFourBaseWidth = 22;  // kodim15-4base.pcd

void copySample(const std::string& sample, const std::string& path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    writeFile(path, readFile(testDataPath(sample)));
}

// Every file below folder, by its path there; folders left out.
std::set<std::string> filesBelow(const std::string& folder)
{
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (!entry.is_directory())
            files.insert(std::filesystem::relative(entry.path(), folder).string());
    return files;
}

std::vector<std::string> linesBeginningWith(const ProgramRun& run, const std::string& start)
{
    std::vector<std::string> found;
    for (const std::string& line : run.lines())
        if (line.starts_with(start))
            found.push_back(line);
    return found;
}

}  // namespace

TEST(BatchMode, ADiscTreeComesOutAsTheSameTreeWithALineForEachFile)
{
    HostileScene scene;
    const std::string disc = scene.in + "disc/";
    copySample("kodim23.pcd", disc + "PHOTO_CD/IMAGES/IMG0001.PCD");
    copySample("kodim15-4base.pcd", disc + "PHOTO_CD/IMAGES/IMG0002.pcd");
    copySample("kodim23.pcd", disc + "PHOTO_CD/IMAGES/Img0003.Pcd1");
    writeFile(disc + "PHOTO_CD/INFO.PCD", "PHOTO_CD" + std::string(4096, '\0'));
    writeFile(disc + "PHOTO_CD/OVERVIEW.PCD", "PCD_OPA" + std::string(4096, '\0'));
    copySample("kodim23.pcd", disc + "EXTRA/deep/IMG0004.PPCD");
    writeFile(disc + "EXTRA/notes.txt", "not a picture");
    // Links: to a file of the tree found anyway (taken once), to a pac of the
    // tree that only the link names (taken), out of the tree and to folders
    // (neither followed: a loop would never end).
    copySample("kodim15-4base.pcd", disc + "EXTRA/hidden/pac.dat");
    copySample("kodim23.pcd", scene.root.path + "elsewhere/outside.pcd");
    ASSERT_EQ(symlink("../PHOTO_CD/IMAGES/IMG0001.PCD", (disc + "EXTRA/again.pcd").c_str()), 0);
    ASSERT_EQ(symlink("hidden/pac.dat", (disc + "EXTRA/inside.pcd").c_str()), 0);
    ASSERT_EQ(symlink((scene.root.path + "elsewhere/outside.pcd").c_str(), (disc + "EXTRA/outside.pcd").c_str()), 0);
    ASSERT_EQ(symlink("..", (disc + "EXTRA/loop").c_str()), 0);
    ASSERT_EQ(symlink((scene.root.path + "elsewhere").c_str(), (disc + "EXTRA/away").c_str()), 0);

    RunSetup setup;
    setup.env = {{"PATH", stubConvertPath(scene.root, kPictureByInputSize)}, {"TMPDIR", scene.temp}};
    setup.workingFolder = scene.root.path;
    ProgramRun run = StartedRun({"--batch", "--jobs=2", "-o", "out", "in/disc"}, setup).finish();

    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::string in = "in/disc/";
    const std::string out = scene.out;
    const std::vector<std::string> expected = {
        "Converting 7 files, 2 at a time",
        "OK: " + in + "EXTRA/deep/IMG0004.PPCD -> " + out + "EXTRA/deep/IMG0004.jpg",
        "OK: " + in + "EXTRA/inside.pcd -> " + out + "EXTRA/inside.jpg",
        "OK: " + in + "PHOTO_CD/IMAGES/IMG0001.PCD -> " + out + "PHOTO_CD/IMAGES/IMG0001.jpg",
        "OK: " + in + "PHOTO_CD/IMAGES/IMG0002.pcd -> " + out + "PHOTO_CD/IMAGES/IMG0002.jpg",
        "OK: " + in + "PHOTO_CD/IMAGES/Img0003.Pcd1 -> " + out + "PHOTO_CD/IMAGES/Img0003.jpg",
        "SKIPPED: " + in + "PHOTO_CD/INFO.PCD: no picture to convert: the disc's information file",
        "SKIPPED: " + in + "PHOTO_CD/OVERVIEW.PCD: no picture to convert: the disc's overview pac",
        "Converted: 5, skipped: 2, failed: 0 (7 files)",
    };
    std::vector<std::string> lines = run.lines();
    ASSERT_GE(lines.size(), 4u) << run.output;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()), expected) << run.output;
    EXPECT_EQ(filesBelow(out),
              (std::set<std::string>{"EXTRA/deep/IMG0004.jpg", "EXTRA/inside.jpg", "PHOTO_CD/IMAGES/IMG0001.jpg",
                                     "PHOTO_CD/IMAGES/IMG0002.jpg", "PHOTO_CD/IMAGES/Img0003.jpg"}));
    EXPECT_EQ(jpegFacts(out + "EXTRA/inside.jpg").width, kFourBaseWidth);
    EXPECT_EQ(jpegFacts(out + "PHOTO_CD/IMAGES/IMG0001.jpg").width, kBaseWidth);
    expectNoLeftovers(scene);

    // With -d every file's lines stay together although two are converted at once.
    mkdir((out + "again").c_str(), 0755);
    ProgramRun debug = StartedRun({"--batch", "-d", "-q", "--jobs=2", "-o", "out/again", "in/disc"}, setup).finish();
    EXPECT_EQ(debug.exitCode, 0);
    EXPECT_EQ(linesBeginningWith(debug, "Link not followed: ").size(), 3u) << debug.output;
    std::string current;
    int blocks = 0;
    for (const std::string& line : debug.lines()) {
        if (line.starts_with("Processing: ")) {
            EXPECT_EQ(current, "") << "the lines of " << current << " were cut off by " << line;
            current = line.substr(12);
            ++blocks;
        } else if (line.starts_with("[OK] Saving As: ") || line.starts_with("[SKIPPED] ")) {
            current.clear();
        }
    }
    EXPECT_EQ(blocks, 7) << debug.output;
}

TEST(BatchMode, AFailedFileFailsTheBatchWithItsReasonAndTheOthersAreConverted)
{
    HostileScene scene;
    const std::string good1 = scene.copySample("kodim23.pcd", "a.pcd");
    const std::string junk = scene.in + "b.pcd";
    writeFile(junk, "not a picture");
    // An image pac cut short: the header is there, the pictures are not.
    const std::string broken = scene.in + "c-BROKEN.pcd";
    writeFile(broken, cutSample("kodim23.pcd", 3));
    const std::string good2 = scene.copySample("kodim23.pcd", "d.pcd");
    const std::string missing = scene.in + "missing.pcd";

    RunSetup setup;
    setup.env = {{"PATH", stubConvertPath(scene.root, kPictureByInputSize)}, {"TMPDIR", scene.temp}};
    const std::vector<std::string> arguments = {
        "--batch", "--jobs=3", "--filename-mask=%n%.%ext%", "-o", scene.out, good1, junk, broken, good2, missing};
    ProgramRun run = StartedRun(arguments, setup).finish();

    EXPECT_EQ(run.exitCode, 1) << run.output;
    const std::vector<std::string> expected = {
        "Converting 4 files, 3 at a time",
        "FAILED: " + missing + ": no such file or folder",
        "OK: " + good1 + " -> " + scene.out + "00001.jpg",
        "FAILED: " + junk + ": not a PhotoCD image pac",
        "FAILED: " + broken + ": the decoder failed with exit status 1",
        "OK: " + good2 + " -> " + scene.out + "00004.jpg",
        "Converted: 2, skipped: 0, failed: 3 (5 files)",
        "Failed files:",
        "  " + missing + ": no such file or folder",
        "  " + junk + ": not a PhotoCD image pac",
        "  " + broken + ": the decoder failed with exit status 1",
    };
    std::vector<std::string> lines = run.lines();
    ASSERT_GE(lines.size(), 4u) << run.output;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.end()), expected);
    // %n% is the file's place in the batch: the failed ones keep theirs.
    EXPECT_EQ(namesIn(scene.out), (std::vector<std::string>{"00001.jpg", "00004.jpg"}));
    EXPECT_TRUE(jpegFacts(scene.out + "00004.jpg").loads);
    expectNoLeftovers(scene);

    // Quiet: the failures alone, the same status.
    std::vector<std::string> quietArguments = arguments;
    quietArguments.insert(quietArguments.begin() + 1, "-q");
    ProgramRun quiet = StartedRun(quietArguments, setup).finish();
    EXPECT_EQ(quiet.exitCode, 1);
    EXPECT_EQ(quiet.lines(), (std::vector<std::string>{expected[1], expected[3], expected[4]}));
}

TEST(BatchMode, RefusedOptionsEndWithStatusTwoAndTheOneFileModeStaysAsItWas)
{
    ScratchFolder folder;
    const std::string input = folder.path + "a.pcd";
    writeFile(input, readFile(testDataPath("kodim23.pcd")));
    struct Refusal {
        std::vector<std::string> arguments;
        std::string line;
    };
    const std::vector<Refusal> refusals = {
        {{"--batch", input}, "Error: Empty output folder"},
        {{"--batch", "-o", folder.path}, "Error: No input file or folder"},
        {{"--batch", "--jobs=0", "-o", folder.path, input}, "Error: Invalid jobs value"},
        {{"--batch", "--jobs=two", "-o", folder.path, input}, "Error: Invalid jobs value"},
        {{"--batch", "-o", folder.path, input, "--jobs"}, "Error: Incorrect number of parameters"},
        {{"--batch", "-o", folder.path + "nowhere", input}, "Error: Invalid output folder"},
        {{"--batch", "--jpg-quality=0", "-o", folder.path, input}, "Error: Invalid jpg-quality value"},
    };
    for (const Refusal& refusal : refusals) {
        ProgramRun run = runKorvane(refusal.arguments);
        EXPECT_EQ(run.exitCode, 2) << refusal.line;
        EXPECT_EQ(run.lines().back(), refusal.line);
    }
    EXPECT_TRUE(namesIn(folder.path) == std::vector<std::string>{"a.pcd"});

    // Without --batch the batch's options are unknown ones, plain words are
    // ignored, and the status is 0 whatever happens.
    ProgramRun single = runKorvane({"-q", "--jobs", "-i", input, "--skip-existing", "-o", folder.path, "b.pcd"});
    EXPECT_EQ(single.exitCode, 0);
    EXPECT_EQ(single.output, "");
    EXPECT_TRUE(fileExists(folder.path + "a.jpg"));
    EXPECT_EQ(runKorvane({"-q", "-i", folder.path + "missing.pcd", "-o", folder.path}).exitCode, 0);
}

TEST(BatchMode, AnInterruptedBatchLeavesNothingHalfDoneAndARerunConvertsOnlyWhatIsMissing)
{
    HostileScene scene;
    for (const char* name : {"a1.pcd", "a2.pcd", "s1-SLOW.pcd", "s2-SLOW.pcd", "z1.pcd", "z2.pcd"})
        scene.copySample("kodim23.pcd", name);
    const std::string pids = scene.root.path + "pids/";
    mkdir(pids.c_str(), 0755);
    RunSetup setup;
    setup.env = {{"PATH", stubConvertPath(scene.root, kPictureByInputSize)}, {"TMPDIR", scene.temp}, {"PIDS", pids}};
    setup.workingFolder = scene.work;
    StartedRun started({"--batch", "--jobs=2", "-o", scene.out, scene.in}, setup);
    // Both workers hang in a convert, after a1 and a2; z1 and z2 wait.
    ASSERT_TRUE(eventually([&] { return namesIn(pids).size() == 2; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::vector<pid_t> converts;
    for (const std::string& name : namesIn(pids))
        converts.push_back(std::stoi(readFile(pids + name)));
    EXPECT_FALSE(namesIn(scene.temp).empty()) << "the work folders exist while convert runs";

    kill(started.pid(), SIGTERM);
    ProgramRun interrupted = started.finish();
    EXPECT_EQ(interrupted.signal, SIGTERM) << "the program ends by the signal itself";
    for (pid_t convert : converts) {
        EXPECT_TRUE(eventually([&] { return processEnded(convert); })) << "convert " << convert << " was left";
        if (!processEnded(convert))
            kill(convert, SIGKILL);
    }
    const std::vector<std::string> lines = interrupted.lines();
    const std::vector<std::string> expectedEnd = {
        "OK: " + scene.in + "a1.pcd -> " + scene.out + "a1.jpg",
        "OK: " + scene.in + "a2.pcd -> " + scene.out + "a2.jpg",
        "Interrupted after 2 of 6 files; the other 4 were not converted.",
        "Converted: 2, skipped: 0, failed: 0 (6 files)",
    };
    ASSERT_GE(lines.size(), expectedEnd.size()) << interrupted.output;
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()), expectedEnd) << interrupted.output;
    EXPECT_EQ(namesIn(scene.out), (std::vector<std::string>{"a1.jpg", "a2.jpg"}));
    expectNoLeftovers(scene);

    // Once more with --skip-existing and a convert that no longer hangs.
    struct stat before { };
    stat((scene.out + "a1.jpg").c_str(), &before);
    setup.env["PIDS"] = kUnsetVariable;
    ProgramRun resumed = StartedRun({"--batch", "--skip-existing", "-o", scene.out, scene.in}, setup).finish();
    EXPECT_EQ(resumed.exitCode, 0) << resumed.output;
    EXPECT_EQ(
        linesBeginningWith(resumed, "SKIPPED: "),
        (std::vector<std::string>{"SKIPPED: " + scene.in + "a1.pcd: the output file exists: " + scene.out + "a1.jpg",
                                  "SKIPPED: " + scene.in + "a2.pcd: the output file exists: " + scene.out + "a2.jpg"}));
    EXPECT_EQ(linesBeginningWith(resumed, "OK: ").size(), 4u) << resumed.output;
    EXPECT_EQ(resumed.lines().back(), "Converted: 4, skipped: 2, failed: 0 (6 files)");
    EXPECT_EQ(namesIn(scene.out),
              (std::vector<std::string>{"a1.jpg", "a2.jpg", "s1-SLOW.jpg", "s2-SLOW.jpg", "z1.jpg", "z2.jpg"}));
    struct stat after { };
    stat((scene.out + "a1.jpg").c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino) << "a skipped output is left as it was";
    expectNoLeftovers(scene);
}

TEST(BatchMode, OutputsThatWouldShareANameAreBothKeptTheSameWayOnEveryRun)
{
    HostileScene scene;
    copySample("kodim23.pcd", scene.in + "d1/IMG0001.PCD");
    copySample("kodim15-4base.pcd", scene.in + "d2/IMG0001.PCD");
    copySample("kodim23.pcd", scene.in + "d1/IMG0002.PCD");
    // Only the letter case differs: one file on FAT and exFAT.
    copySample("kodim15-4base.pcd", scene.in + "d2/img0002.pcd");
    RunSetup setup;
    setup.env = {{"PATH", stubConvertPath(scene.root, kPictureByInputSize)}, {"TMPDIR", scene.temp}};

    // d1's files take longer, so d2's end first; the names must not care.
    for (const std::string jobs : {"--jobs=4", "--jobs=1"}) {
        const std::string out = scene.out + jobs.substr(2, 4) + jobs.substr(7) + "/";
        mkdir(out.c_str(), 0755);
        ProgramRun run = StartedRun({"--batch", jobs, "--no-subfolders", "-o", out, scene.in}, setup).finish();
        EXPECT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(namesIn(out),
                  (std::vector<std::string>{"IMG0001-2.jpg", "IMG0001.jpg", "IMG0002.jpg", "img0002-2.jpg"}))
            << jobs;
        EXPECT_EQ(jpegFacts(out + "IMG0001.jpg").width, kBaseWidth) << jobs;
        EXPECT_EQ(jpegFacts(out + "IMG0001-2.jpg").width, kFourBaseWidth) << jobs;
        EXPECT_EQ(jpegFacts(out + "IMG0002.jpg").width, kBaseWidth) << jobs;
        EXPECT_EQ(jpegFacts(out + "img0002-2.jpg").width, kFourBaseWidth) << jobs;
        const std::string renamed = scene.in + "d2/IMG0001.PCD -> " + out + "IMG0001-2.jpg (" + scene.in +
                                    "d1/IMG0001.PCD has the name " + out + "IMG0001.jpg)";
        EXPECT_NE(run.output.find("OK: " + scene.in + "d2/IMG0001.PCD -> " + out + "IMG0001-2.jpg (renamed: " +
                                  scene.in + "d1/IMG0001.PCD has the name " + out + "IMG0001.jpg)\n"),
                  std::string::npos)
            << run.output;
        EXPECT_NE(run.output.find("Renamed because another file has the same output name:\n  " + renamed + "\n"),
                  std::string::npos)
            << run.output;
    }

    // A mask with the picture's size: names that may meet are told apart
    // before the sizes are known, and an output is found only once the
    // picture is decoded.
    const std::string sized = scene.out + "sized/";
    mkdir(sized.c_str(), 0755);
    const std::vector<std::string> arguments = {
        "--batch", "--skip-existing", "--no-subfolders", "--filename-mask=%filename%_%width%.%ext%", "-o",
        sized,     scene.in};
    ProgramRun first = StartedRun(arguments, setup).finish();
    EXPECT_EQ(first.exitCode, 0) << first.output;
    EXPECT_NE(first.output.find("OK: " + scene.in + "d2/img0002.pcd -> " + sized + "img0002_22-2.jpg (renamed: " +
                                scene.in + "d1/IMG0002.PCD has the name " + sized + "IMG0002_%width%.jpg)\n"),
              std::string::npos)
        << first.output;
    EXPECT_EQ(namesIn(sized),
              (std::vector<std::string>{"IMG0001_22-2.jpg", "IMG0001_8.jpg", "IMG0002_8.jpg", "img0002_22-2.jpg"}));
    ProgramRun again = StartedRun(arguments, setup).finish();
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(linesBeginningWith(again, "SKIPPED: ").size(), 4u) << again.output;
    EXPECT_EQ(again.lines().back(), "Converted: 0, skipped: 4, failed: 0 (4 files)");
}
