#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/job_state.h"
#include "formats/format_lists.h"
#include "formats/format_registry.h"
#include "gui/access_keys.h"
#include "gui/input_file_filter.h"
#include "gui/output_format_box.h"
#include "gui/recent_folders.h"
#include "gui/window_choices.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

class WindowRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetSettings(false);
        settings = g_settings;
        job = newJob();
        buildCatalogue();
    }

    ConversionSettings settings;
    JobState job;
};

// Swaps in other format lists for one test.
struct FormatListsOverride {
    std::vector<std::string> savedInput = inputFormats;
    std::vector<std::string> savedOutput = outputFormats;
    ~FormatListsOverride()
    {
        inputFormats = savedInput;
        outputFormats = savedOutput;
        buildAcceptedExtensions();
    }
};

}  // namespace

TEST_F(WindowRules, RememberingPutsTheFolderFirstOnceAndKeepsTheNewestWithinTheLimit)
{
    settings.recentOutFolders = "/a/\tc:/out/\t/b/";
    EXPECT_TRUE(rememberOutputFolder(settings, "C:/Out/"));
    EXPECT_EQ(settings.recentOutFolders, "C:/Out/\t/a/\t/b/");

    settings.recentOutFolders = "/1/\t/2/\t/3/\t/4/\t/5/";
    rememberOutputFolder(settings, "/6/");
    EXPECT_EQ(settings.recentOutFolders, "/6/\t/1/\t/2/\t/3/\t/4/");
    rememberOutputFolder(settings, "/6/");
    EXPECT_EQ(settings.recentOutFolders, "/6/\t/1/\t/2/\t/3/\t/4/");

    EXPECT_FALSE(rememberOutputFolder(settings, ""));
    EXPECT_EQ(settings.recentOutFolders, "/6/\t/1/\t/2/\t/3/\t/4/");

    // Beyond ASCII, letter case still makes no difference.
    settings.recentOutFolders = "/bilder/ärger/";
    rememberOutputFolder(settings, "/Bilder/Ärger/");
    EXPECT_EQ(settings.recentOutFolders, "/Bilder/Ärger/");
}

TEST_F(WindowRules, HandEditedListsAreReadSafely)
{
    settings.recentOutFolders = "  /a/ \t\t/b/\t";
    EXPECT_EQ(recentOutFolderAt(settings, 0), "/a/");
    EXPECT_EQ(recentOutFolderAt(settings, 1), "");
    EXPECT_EQ(recentOutFolderAt(settings, 2), "/b/");
    EXPECT_EQ(recentOutFolderAt(settings, 9), "");
    EXPECT_EQ(recentOutFolderAt(settings, -1), "");

    // An empty entry must not move the selection onto another folder.
    FolderBoxContent box = outputFolderBoxContent(settings, "/b/");
    EXPECT_EQ(box.items, (std::vector<std::string>{"/a/", "/b/"}));
    EXPECT_EQ(box.selected, 1);

    rememberOutputFolder(settings, "/c/");
    EXPECT_EQ(settings.recentOutFolders, "/c/\t/a/\t/b/");

    std::string many;
    for (int i = 0; i < 200; ++i)
        many += "/f" + std::to_string(i) + "/\t";
    settings.recentOutFolders = many;
    settings.outFoldersNumber = 127;
    EXPECT_EQ(outputFolderBoxContent(settings, "").items.size(), 127u);
    rememberOutputFolder(settings, "/new/");
    EXPECT_EQ(recentOutFolderAt(settings, 126), "/f125/");
    EXPECT_EQ(recentOutFolderAt(settings, 127), "");
}

TEST_F(WindowRules, ANumberOfZeroOrLessKeepsOnlyTheNewestAndShowsNothing)
{
    for (int8_t number : {int8_t{0}, int8_t{-3}}) {
        settings.outFoldersNumber = number;
        settings.recentOutFolders = "/a/\t/b/";
        EXPECT_TRUE(rememberOutputFolder(settings, "/c/"));
        EXPECT_EQ(settings.recentOutFolders, "/c/");
        FolderBoxContent box = outputFolderBoxContent(settings, "/c/");
        EXPECT_TRUE(box.refill);
        EXPECT_TRUE(box.items.empty());
        EXPECT_EQ(box.selected, -1);
    }
}

TEST_F(WindowRules, TheFolderBoxSelectsTheOutputFolderExactlyElseTheFirst)
{
    EXPECT_FALSE(outputFolderBoxContent(settings, "/a/").refill);  // no list: the box stays as it is
    settings.recentOutFolders = "/a/\t/B/";
    EXPECT_EQ(outputFolderBoxContent(settings, "/B/").selected, 1);
    EXPECT_EQ(outputFolderBoxContent(settings, "/b/").selected, 0);
    EXPECT_EQ(outputFolderBoxContent(settings, "").selected, 0);
}

TEST_F(WindowRules, TheFormatBoxListsTheOutputFormatsAndFallsBackToTheFirst)
{
    FormatBoxContent box = outputFormatBoxItems(true, settings.outputFormat);
    ASSERT_EQ(box.items.size(), 1u);
    EXPECT_EQ(box.items[0].text, "JPG (JPEG File Format)");
    EXPECT_EQ(outputFormatBoxItems(false, settings.outputFormat).items[0].text, "JPG");

    FormatListsOverride restore;
    outputFormats = {"jpg", "", "png", "tiff"};
    settings.outputFormat = "tiff";
    box = outputFormatBoxItems(false, settings.outputFormat);
    ASSERT_EQ(box.items.size(), 3u);
    EXPECT_EQ(box.items[2].text, "TIFF");
    EXPECT_EQ(box.items[2].formatIndex, 3);
    EXPECT_EQ(box.selected, 2);
    EXPECT_EQ(outputFormatAt(box.items[box.selected].formatIndex), "tiff");

    settings.outputFormat = "xyz";
    EXPECT_EQ(outputFormatBoxItems(false, settings.outputFormat).selected, 0);
    EXPECT_EQ(outputFormatAt(17), "jpg");
    EXPECT_EQ(outputFormatAt(-1), "jpg");
}

TEST_F(WindowRules, TheInputFilterListsEveryExtensionThenEachGroupByDescription)
{
    const std::string pcd = "*.[pP][cC][dD]";
    EXPECT_EQ(inputFileDialogFilter(), "All Supported Files|" + pcd + ";" + pcd + "1;" + pcd + "[sS];*.[pP]" +
                                           pcd.substr(2) + "|Kodak PhotoCD File|*.[pP]" + pcd.substr(2) + ";" + pcd +
                                           "[sS];" + pcd + "1;" + pcd + "|All Files (*.*)|*.*");

    FormatListsOverride restore;
    inputFormats = {"tiff", "pcd"};
    buildAcceptedExtensions();
    const std::string filter = inputFileDialogFilter();
    EXPECT_LT(filter.find("|Kodak PhotoCD File|"), filter.find("|Tagged Image File Format|")) << filter;
    EXPECT_NE(filter.find("|Tagged Image File Format|*.[tT][iI][fF];*.[tT][iI][fF][fF]|"), std::string::npos) << filter;
}

TEST_F(WindowRules, TakingAnInputFileFillsTheFieldAndMayChooseItsFolder)
{
    ScratchFolder folder;
    const std::string picture = folder.path + "photo.PCD";
    writeFile(picture, "not empty");
    writeFile(folder.path + "empty.pcd", "");
    writeFile(folder.path + "notes.txt", "text");

    InputFileTaken taken = takeInputFile(picture, "", job, settings);
    EXPECT_TRUE(taken.accepted);
    EXPECT_EQ(taken.inputFieldText, picture);
    EXPECT_TRUE(taken.folderChosen);
    EXPECT_EQ(job.outputFolder, folder.path);
    EXPECT_EQ(recentOutFolderAt(settings, 0), folder.path);

    // A folder shown in the box stays the output folder.
    job.outputFolder = "/elsewhere/";
    taken = takeInputFile(picture, "/elsewhere/", job, settings);
    EXPECT_TRUE(taken.accepted);
    EXPECT_FALSE(taken.folderChosen);
    EXPECT_EQ(job.outputFolder, "/elsewhere/");

    // Refused files change nothing: an empty one, another type, a folder.
    const std::string recentFolders = settings.recentOutFolders;
    for (const std::string& refused : {folder.path + "empty.pcd", folder.path + "notes.txt", folder.path}) {
        taken = takeInputFile(refused, "", job, settings);
        EXPECT_FALSE(taken.accepted) << refused;
        EXPECT_EQ(taken.inputFieldText, "") << refused;
        EXPECT_EQ(settings.recentOutFolders, recentFolders) << refused;
        EXPECT_EQ(job.outputFolder, "/elsewhere/") << refused;
    }
}

TEST_F(WindowRules, AChosenFolderIsRememberedWithItsSlashSoAConversionDoesNotListItTwice)
{
    ScratchFolder folder;
    const std::string withoutSlash = folder.path.substr(0, folder.path.size() - 1);
    EXPECT_TRUE(takeOutputFolder(withoutSlash, job, settings));
    EXPECT_EQ(job.outputFolder, folder.path);
    EXPECT_EQ(settings.recentOutFolders, folder.path);
    rememberOutputFolder(settings, folder.path);
    EXPECT_EQ(settings.recentOutFolders, folder.path);

    EXPECT_FALSE(takeOutputFolder(folder.path + "missing", job, settings));
    EXPECT_FALSE(takeOutputFolder("", job, settings));
    EXPECT_EQ(job.outputFolder, folder.path);

    EXPECT_EQ(folderDialogStart("/a/b/c/", job), "/a/b/c/");
    EXPECT_EQ(folderDialogStart("/a/b", job), "/a/");
    EXPECT_EQ(folderDialogStart("", job), folder.path);
    // The window's records are the ones handed in; start-up's stay as they were.
    EXPECT_EQ(g_settings.recentOutFolders, "");
}

TEST(AccessKeys, EachLabelOfAGroupTakesItsFirstFreeLetterAndShowsItsOwnAmpersands)
{
    // The window's File menu: the keys a user presses after Alt+F.
    AccessKeyGroup menu;
    std::vector<std::string> marked;
    for (const char* text : {"New", "Add Input File...", "Select Output Folder...", "Exit", "Save As..."})
        marked.push_back(withAccessKey(text, menu));
    EXPECT_EQ(marked, (std::vector<std::string>{"&New", "&Add Input File...", "&Select Output Folder...", "&Exit",
                                                "Sa&ve As..."}));
    // A taken letter in another case, and past non-ASCII letters and signs.
    AccessKeyGroup buttons{"ok"};
    EXPECT_EQ(withAccessKey("OK", buttons), "OK");
    EXPECT_EQ(withAccessKey("\xC3\x9C-Ok 2", buttons), "\xC3\x9C-Ok &2");
    EXPECT_EQ(withAccessKey("Drag & Drop", buttons), "&Drag && Drop");
    EXPECT_EQ(buttons.taken, "ok2d");
}
