#include <FreeImage.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/output_encoding.h"
#include "gui/interactive_conversion.h"
#include "gui/recent_folders.h"
#include "platform/files.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

const std::string kStopped = "Conversion stopped";

class InteractiveConversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetSettings(false);
        settings = g_settings;
        job = newJob();
        buildCatalogue();
        input = folder.path + "in.pcd";
        writeFile(input, "a picture");
    }

    ConversionCheck check(const std::string& inputText, const std::string& folderText)
    {
        return prepareInteractiveConversion({inputText, folderText, 0}, job, settings);
    }

    ConversionSettings settings;
    JobState job;
    ScratchFolder folder;
    std::string input;
};

}  // namespace

TEST_F(InteractiveConversion, TheInputIsCheckedFirst)
{
    ScratchFolder other;
    writeFile(other.path + "empty.pcd", "");
    writeFile(other.path + "notes.txt", "x");
    for (const std::string& bad : {std::string(), other.path + "empty.pcd", other.path + "notes.txt"}) {
        // Even with every later check failing too, the input is reported.
        settings.resizeEnabled = 1;
        settings.resizeWidth = 0;
        ConversionCheck result = check(bad, "");
        EXPECT_FALSE(result.ready) << bad;
        EXPECT_EQ(result.statusText, kStopped);
        EXPECT_EQ(result.warningText, "No input file(s) found. Please, add valid file(s) and try again!");
    }
}

TEST_F(InteractiveConversion, TheOutputFolderMustBeGivenAndExistAndGetsItsSlash)
{
    ConversionCheck result = check(input, "  ");
    EXPECT_EQ(result.statusText, kStopped);
    EXPECT_EQ(result.warningText, lookupText("Msg", "Empty output folder"));

    const std::string missing = folder.path + "gone";
    result = check(input, missing);
    EXPECT_FALSE(result.ready);
    EXPECT_EQ(result.statusText, kStopped);
    EXPECT_NE(result.warningText.find(missing + "/\r\n"), std::string::npos) << result.warningText;
    EXPECT_EQ(job.outputFolder, missing + "/");
    EXPECT_FALSE(pathExists(missing));
    EXPECT_EQ(settings.recentOutFolders, "");

    // A pasted monster keeps its two ends in the message, which stays short.
    const std::string monster = "/" + std::string(5000, 'x') + "/end";
    result = check(input, monster);
    EXPECT_FALSE(result.ready);
    EXPECT_EQ(result.statusText, kStopped);
    EXPECT_LT(result.warningText.size(), 300u);
    EXPECT_NE(result.warningText.find("/xxx"), std::string::npos) << result.warningText;
    EXPECT_NE(result.warningText.find("x/end/\r\n"), std::string::npos) << result.warningText;
}

TEST_F(InteractiveConversion, SettingsProblemsStopInTheConsolesOrderInTheCataloguesWordsOrTheConsoles)
{
    // A hand-edited config.ini: what the console refuses, the window refuses too.
    settings.jpgBpp = 7;
    settings.jpgQuality = 500;
    settings.resizeEnabled = 1;
    settings.resizeWidth = 0;
    settings.resizeHeight = 0;
    settings.adjustEnabled = 1;
    settings.brightness = 500;
    settings.watermarkType = 2;
    settings.wmImage = "";
    ConversionCheck result = check(input, folder.path);
    EXPECT_FALSE(result.ready);
    EXPECT_EQ(result.warningText, "Invalid jpg-bpp value");
    EXPECT_EQ(result.statusText, kStopped);

    settings.jpgBpp = 24;
    EXPECT_EQ(check(input, folder.path).warningText, "Invalid jpg-quality value");

    settings.jpgQuality = 100;
    result = check(input, folder.path);
    EXPECT_EQ(result.warningText, "Invalid resize width value!");
    EXPECT_EQ(result.statusText, kStopped);

    settings.resizeWidth = 640;
    EXPECT_EQ(check(input, folder.path).warningText, "Invalid resize height value!");

    settings.resizeHeight = 480;
    result = check(input, folder.path);
    EXPECT_EQ(result.warningText, "Invalid brightness value");
    EXPECT_EQ(result.statusText, kStopped);

    settings.brightness = -100;
    result = check(input, folder.path);
    EXPECT_EQ(result.warningText, "Selected watermark image is invalid/empty!");
    EXPECT_EQ(result.statusText, "Preparing...");

    settings.wmImage = folder.path + "missing.png";
    result = check(input, folder.path);
    EXPECT_EQ(result.warningText, "Unable to load selected file as a watermark image: " + folder.path + "missing.png");
    EXPECT_EQ(result.statusText, "Preparing...");
    EXPECT_EQ(settings.recentOutFolders, "");
}

TEST_F(InteractiveConversion, APassingJobIsReadyToEncodeAndItsFolderHeadsTheListOnce)
{
    settings.jpgBpp = 8;
    settings.jpgQuality = 90;
    const std::string folderWithoutSlash = folder.path.substr(0, folder.path.size() - 1);
    ConversionCheck result = check("  " + input + " ", folderWithoutSlash);
    ASSERT_TRUE(result.ready) << result.warningText;
    EXPECT_EQ(result.statusText, "Converting...");
    EXPECT_TRUE(result.folderRemembered);
    EXPECT_EQ(job.inputPath, input);
    ASSERT_EQ(result.files.size(), 1u);
    EXPECT_EQ(result.files.begin()->first, input);
    EXPECT_EQ(job.outputFolder, folder.path);
    EXPECT_EQ(job.outputExt, "jpg");
    EXPECT_EQ(job.outputFif, FIF_JPEG);
    EXPECT_EQ(job.outputBpp, 8);
    EXPECT_FALSE(job.autoBpp);
    EXPECT_EQ(job.saveFlags, saveFlagsFor(settings, "jpg"));
    EXPECT_NE(job.saveFlags, 0);

    check(input, folder.path);
    EXPECT_EQ(settings.recentOutFolders, folder.path);
    // The window's records are the ones handed in; start-up's stay as they were.
    EXPECT_EQ(g_settings.recentOutFolders, "");
}

TEST_F(InteractiveConversion, AMissingFileWithAnAcceptedExtensionStillPasses)
{
    // The run then reports 0 of 1 converted; the check does not look for the file.
    ConversionCheck result = check(folder.path + "not-there.pcd", folder.path);
    EXPECT_TRUE(result.ready) << result.warningText;
}
