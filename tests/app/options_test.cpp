#include <cmath>
#include <functional>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "app/command_line_job.h"
#include "app/option_table.h"
#include "app/options.h"
#include "app/parsed_command_line.h"
#include "platform/text.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

using S = ConversionSettings;

std::string shown(int8_t value)
{
    return std::to_string(value);
}
std::string shown(int32_t value)
{
    return std::to_string(value);
}
std::string shown(float value)
{
    return std::to_string(value);
}
std::string shown(const std::string& value)
{
    return value;
}

// The observed fields as one text, so that a case can check a value together
// with the feature flag it must (or must not) switch on.
template <typename... Values>
std::string show(const Values&... values)
{
    std::string text;
    ((text += (text.empty() ? "" : " ") + shown(values)), ...);
    return text;
}

struct OptionCase {
    std::string parameter;  // as a user writes it on the command line
    std::function<std::string(const S&)> observe;
    std::string expected;
    bool inProfile = true;
    bool onCommandLine = true;
    std::function<void()> prepare = [] {};  // for words whose only code is the default
};

std::vector<OptionCase> bitDepthCases()
{
    const std::vector<std::pair<std::string, int32_t S::*>> depths = {
        {"bmp", &S::bmpBpp},   {"dds", &S::ddsBpp},   {"exr", &S::exrBpp}, {"gif", &S::gifBpp}, {"hdr", &S::hdrBpp},
        {"ico", &S::icoBpp},   {"j2k", &S::j2kBpp},   {"jng", &S::jngBpp}, {"jp2", &S::jp2Bpp}, {"jpg", &S::jpgBpp},
        {"jxr", &S::jxrBpp},   {"pbm", &S::pbmBpp},   {"pcx", &S::pcxBpp}, {"pfm", &S::pfmBpp}, {"pgm", &S::pgmBpp},
        {"png", &S::pngBpp},   {"ppm", &S::ppmBpp},   {"psd", &S::psdBpp}, {"tga", &S::tgaBpp}, {"tiff", &S::tiffBpp},
        {"wbmp", &S::wbmpBpp}, {"webp", &S::webpBpp}, {"xpm", &S::xpmBpp},
    };
    std::vector<OptionCase> cases;
    int32_t depth = 100;
    for (const auto& [format, field] : depths) {
        ++depth;
        cases.push_back({"--" + format + "-bpp=" + std::to_string(depth),
                         [field = field](const S& s) { return show(s.*field); }, std::to_string(depth)});
    }
    return cases;
}

std::vector<OptionCase> optionCases()
{
    auto resetTextSize = [] { g_settings.wmTextSize = 5; };
    auto resetImageSize = [] { g_settings.wmImageSize = 5; };
    std::vector<OptionCase> cases = {
        {"--dds-load-as=rgba", [](const S& s) { return show(s.ddsLoadAs); }, "2"},
        {"--gif-frame-loading=last", [](const S& s) { return show(s.gifFrameLoading); }, "3"},
        {"--ico-frame-loading=Middle", [](const S& s) { return show(s.icoFrameLoading); }, "2"},
        {"--psd-color-mode=lab", [](const S& s) { return show(s.psdColorMode); }, "2"},
        {"--raw-load-as=48hs", [](const S& s) { return show(s.rawLoadAs); }, "4"},
        {"--raw-header-size=$10", [](const S& s) { return show(s.rawHeaderSize); }, "16"},
        {"--raw-width=640", [](const S& s) { return show(s.rawWidth); }, "640"},
        {"--raw-height=480", [](const S& s) { return show(s.rawHeight); }, "480"},
        {"--raw-tone-mapping=gd", [](const S& s) { return show(s.rawToneMapping); }, "4"},
        {"--tiff-frame-loading=random", [](const S& s) { return show(s.tiffFrameLoading); }, "4"},

        {"--bmp-compression=rle", [](const S& s) { return show(s.bmpCompression); }, "1"},
        {"--bmp-color-table=exact", [](const S& s) { return show(s.bmpColorTable); }, "1"},
        {"--exr-compression=b44", [](const S& s) { return show(s.exrCompression); }, "4"},
        {"--jpg-quality=77", [](const S& s) { return show(s.jpgQuality); }, "77"},
        {"--jpg-chroma=high", [](const S& s) { return show(s.jpgChroma); }, "3"},
        {"--jpg-save-as=progressive", [](const S& s) { return show(s.jpgSaveAs); }, "3"},
        {"--png-compression=zlib9", [](const S& s) { return show(s.pngCompression); }, "3"},
        {"--png-interlaced", [](const S& s) { return show(s.pngInterlaced); }, "1"},
        {"--tga-compression=rle", [](const S& s) { return show(s.tgaCompression); }, "1"},
        {"--tiff-compression=logluv", [](const S& s) { return show(s.tiffCompression); }, "8"},
        {"--tiff-color-mode=cmyk", [](const S& s) { return show(s.tiffColorMode); }, "1"},
        {"--webp-quality=%1010", [](const S& s) { return show(s.webpQuality); }, "10"},

        {"--rotation-type=advanced", [](const S& s) { return show(s.rotationType, s.rotateEnabled); }, "1 0"},
        {"--rotation=90", [](const S& s) { return show(s.rotateEnabled, s.rotationAngle); }, "1 90"},
        {"--rotation-back-color=FF00FF", [](const S& s) { return show(s.rotationBackColor); }, "FF00FF"},
        {"--width=$100", [](const S& s) { return show(s.resizeEnabled, s.resizeWidth, s.resizeHeight); }, "1 256 0"},
        {"--width-unit=percent", [](const S& s) { return show(s.resizeWidthUnit, s.resizeEnabled); }, "1 0"},
        {"--height=-5", [](const S& s) { return show(s.resizeEnabled, s.resizeHeight, s.resizeWidth); }, "1 -5 0"},
        {"--height-unit=percent", [](const S& s) { return show(s.resizeHeightUnit, s.resizeWidthUnit); }, "1 0"},
        {"--keep-aspect-ratio", [](const S& s) { return show(s.keepAspectRatio); }, "1"},
        {"--resize-type=largeimages", [](const S& s) { return show(s.resizeType); }, "1"},
        {"--resize-algorithm=lanczos", [](const S& s) { return show(s.resizeAlgorithm); }, "5"},
        {"--flip-horizontal", [](const S& s) { return show(s.flipHorizontal, s.flipVertical); }, "1 0"},
        {"--flip-vertical", [](const S& s) { return show(s.flipVertical, s.flipHorizontal); }, "1 0"},
        {"--brightness=-20", [](const S& s) { return show(s.adjustEnabled, s.brightness); }, "1 -20"},
        {"--contrast=30", [](const S& s) { return show(s.adjustEnabled, s.contrast); }, "1 30"},
        {"--gamma=1.5", [](const S& s) { return show(s.adjustEnabled, s.gamma); }, "1 1.500000"},
        {"--invert", [](const S& s) { return show(s.adjustEnabled, s.invert); }, "1 1"},
        {"--greyscale", [](const S& s) { return show(s.greyscale, s.adjustEnabled); }, "1 0"},
        {"--threshold=128", [](const S& s) { return show(s.thresholdEnabled, s.threshold); }, "1 128"},
        {"--dither=bayer8", [](const S& s) { return show(s.ditherEnabled, s.ditherAlgorithm); }, "1 2"},

        {"--fr-solid-left=5", [](const S& s) { return show(s.frameType, s.frameLeft); }, "1 5"},
        {"--fr-solid-right=6", [](const S& s) { return show(s.frameType, s.frameRight); }, "1 6"},
        {"--fr-solid-top=7", [](const S& s) { return show(s.frameType, s.frameTop); }, "1 7"},
        {"--fr-solid-bottom=8", [](const S& s) { return show(s.frameType, s.frameBottom); }, "1 8"},
        {"--fr-solid-left-color=111111", [](const S& s) { return show(s.frameLeftColor, s.frameType); }, "111111 0"},
        {"--fr-solid-right-color=222222", [](const S& s) { return show(s.frameRightColor); }, "222222"},
        {"--fr-solid-top-color=333333", [](const S& s) { return show(s.frameTopColor); }, "333333"},
        {"--fr-solid-bottom-color=444444", [](const S& s) { return show(s.frameBottomColor); }, "444444"},
        {"--fr-solid-opacity=128", [](const S& s) { return show(s.frameOpacity); }, "128", false, true},
        {"--wm-solid-opacity=100", [](const S& s) { return show(s.frameOpacity); }, "100", true, false},

        {"--wm-text=Hello", [](const S& s) { return show(s.watermarkType, s.wmText); }, "1 Hello"},
        {"--wm-font=Verdana", [](const S& s) { return show(s.wmFont); }, "Verdana"},
        {"--wm-font-size=20", [](const S& s) { return show(s.wmFontSize); }, "20"},
        {"--wm-font-leading=3", [](const S& s) { return show(s.wmFontLeading); }, "3"},
        {"--wm-font-color=00FF00", [](const S& s) { return show(s.wmFontColor); }, "00FF00"},
        {"--wm-font-style=bolditalic", [](const S& s) { return show(s.wmFontStyle); }, "3"},
        {"--wm-font-effect=strikethrought", [](const S& s) { return show(s.wmFontEffect); }, "2"},
        {"--wm-text-antialiasing", [](const S& s) { return show(s.wmTextAntialiasing); }, "1"},
        {"--wm-text-alignment=right", [](const S& s) { return show(s.wmTextAlignment); }, "2"},
        {"--wm-text-padding=4", [](const S& s) { return show(s.wmTextPadding); }, "4"},
        {"--wm-text-opacity=200", [](const S& s) { return show(s.wmTextOpacity); }, "200"},
        {"--wm-back-color=123456", [](const S& s) { return show(s.wmBackColor); }, "123456"},
        {"--wm-back-opacity=50", [](const S& s) { return show(s.wmBackOpacity); }, "50"},
        {"--wm-text-boundary=frame", [](const S& s) { return show(s.wmTextBoundary); }, "1"},
        {"--wm-text-position=middlecenter", [](const S& s) { return show(s.wmTextPosition); }, "4"},
        {"--wm-text-x-offset=-3", [](const S& s) { return show(s.wmTextXOffset); }, "-3"},
        {"--wm-text-y-offset=7", [](const S& s) { return show(s.wmTextYOffset); }, "7"},
        {"--wm-text-rotation=45", [](const S& s) { return show(s.wmTextRotation); }, "45"},
        {"--wm-text-size=fixed", [](const S& s) { return show(s.wmTextSize); }, "0", true, true, resetTextSize},
        {"--wm-image=/tmp/logo.png", [](const S& s) { return show(s.watermarkType, s.wmImage); }, "2 /tmp/logo.png"},
        {"--wm-image-greyscale", [](const S& s) { return show(s.wmImageGreyscale); }, "1"},
        {"--wm-image-opacity=99", [](const S& s) { return show(s.wmImageOpacity); }, "99"},
        {"--wm-image-boundary=frame", [](const S& s) { return show(s.wmImageBoundary); }, "1"},
        {"--wm-image-position=topright", [](const S& s) { return show(s.wmImagePosition); }, "2"},
        {"--wm-image-x-offset=11", [](const S& s) { return show(s.wmImageXOffset, s.wmTextXOffset); }, "11 10"},
        {"--wm-image-y-offset=12", [](const S& s) { return show(s.wmImageYOffset, s.wmTextYOffset); }, "12 10"},
        {"--wm-image-rotation=180", [](const S& s) { return show(s.wmImageRotation); }, "180"},
        {"--wm-image-size=fixed", [](const S& s) { return show(s.wmImageSize); }, "0", true, true, resetImageSize},

        {"--filename-mask=%filename%_x.%ext%", [](const S& s) { return show(s.filenameMask); }, "%filename%_x.%ext%"},
        {"--file-timestamp=custom", [](const S& s) { return show(s.fileTimestamp); }, "2"},
        {"--file-timestamp-custom=1000000", [](const S& s) { return show(s.customTimestamp); }, "1000000"},
        {"--no-subfolders", [](const S& s) { return show(s.keepSubfolders); }, "0"},
        {"--decoder=built-in", [](const S& s) { return show(s.photoCdDecoder); }, "1"},
    };
    for (OptionCase& depth : bitDepthCases())
        cases.push_back(depth);
    return cases;
}

std::string nameOf(const std::string& parameter)
{
    return toUpperAscii(parameter.substr(0, parameter.find('=')));
}

// A profile line for the same setting: key in upper case, value after " = ".
std::string profileLineFor(const std::string& parameter)
{
    size_t equals = parameter.find('=');
    std::string value = equals == std::string::npos ? "" : parameter.substr(equals + 1);
    return nameOf(parameter) + " = " + value;
}

}  // namespace

TEST(Options, EveryOptionSetsItsFieldFromTheCommandLine)
{
    std::set<std::string> tested;
    for (const OptionCase& c : optionCases()) {
        resetSettings(true);
        c.prepare();
        ASSERT_NE(c.observe(g_settings), c.expected) << c.parameter << " would pass untouched";

        resetSettings(true);
        resetJob();
        c.prepare();
        CommandLine commandLine;
        commandLine.parameters = {c.parameter};
        parseOptions(commandLine);
        EXPECT_EQ(commandLine.errorText, "") << c.parameter;
        if (c.onCommandLine) {
            EXPECT_EQ(c.observe(g_settings), c.expected) << c.parameter;
            tested.insert(nameOf(c.parameter));
        } else {
            EXPECT_NE(c.observe(g_settings), c.expected) << c.parameter << " is a profile key only";
        }
    }
    // Every option the program knows is among the cases, so none goes untested.
    for (const SettingOption& option : settingOptions()) {
        if (!option.onCommandLine)
            continue;
        EXPECT_TRUE(tested.count(std::string(option.name))) << option.name << " has no case";
    }
    EXPECT_EQ(tested.size(), 106u);
}

TEST(Options, EveryProfileKeySetsItsField)
{
    ScratchFolder folder;
    std::set<std::string> tested;
    for (const OptionCase& c : optionCases()) {
        writeFile(folder.path + "p.ini", "[CLI]\n" + profileLineFor(c.parameter) + "\n");
        resetSettings(true);
        resetJob();
        c.prepare();
        CommandLine commandLine;
        commandLine.parameters = {"--profile=" + folder.path + "p.ini"};
        parseOptions(commandLine);
        EXPECT_EQ(commandLine.errorText, "") << c.parameter;
        if (c.inProfile) {
            EXPECT_EQ(c.observe(g_settings), c.expected) << profileLineFor(c.parameter);
            tested.insert(nameOf(c.parameter));
        } else {
            EXPECT_NE(c.observe(g_settings), c.expected) << c.parameter << " is no profile key";
        }
    }
    for (const SettingOption& option : settingOptions()) {
        if (!option.inProfile)
            continue;
        EXPECT_TRUE(tested.count(std::string(option.name))) << option.name << " has no case";
    }
    EXPECT_EQ(tested.size(), 106u);
}

TEST(Options, ConsoleAndJobOptionsInShortAndLongForm)
{
    CommandLine shortForm = parsed({"-i", "in.pcd", "-o", "out/", "-c", "\"png\"", "-q", "-d", "-p"});
    EXPECT_EQ(shortForm.errorText, "");
    EXPECT_EQ(g_job.consoleMode, 1);
    EXPECT_EQ(g_job.cliInput, "in.pcd");
    EXPECT_EQ(g_job.outputFolder, "out/");
    EXPECT_EQ(g_job.outputExt, "png");
    EXPECT_EQ(g_job.runMode, "DEBUG");
    EXPECT_TRUE(shortForm.quietMode);
    EXPECT_TRUE(shortForm.pauseAtExit);

    CommandLine longForm =
        parsed({"--INPUT=In.pcd", "--output=Out", "--conversion=JPG", "--quiet", "--debug", "--Pause"});
    EXPECT_EQ(longForm.errorText, "");
    EXPECT_EQ(g_job.cliInput, "In.pcd");  // values keep their case
    EXPECT_EQ(g_job.outputFolder, "Out");
    EXPECT_EQ(g_job.outputExt, "JPG");
    EXPECT_TRUE(longForm.quietMode && longForm.pauseAtExit);

    parsed({"-I", "a.pcd"});
    EXPECT_EQ(g_job.cliInput, "a.pcd");
    parsed({"-i=a.pcd", "--no-such-option=1", "plain", "-x"});
    EXPECT_EQ(g_job.consoleMode, 0);
    EXPECT_EQ(g_job.cliInput, "");
    parsed({"-i", "-V", "-h"});  // first-position switches mean nothing here
    EXPECT_EQ(g_job.cliInput, "");
}

TEST(Options, MissingValuesStopParsingWithOneError)
{
    const char* missing = "Incorrect number of parameters";
    EXPECT_EQ(parsed({"-i"}).errorText, missing);
    EXPECT_EQ(g_job.consoleMode, 1);  // set before the value is looked at
    EXPECT_EQ(parsed({"-i", "-o", "x"}).errorText, missing);
    EXPECT_EQ(parsed({"--input", "a.pcd"}).errorText, missing);
    EXPECT_EQ(parsed({"--input="}).errorText, missing);
    EXPECT_EQ(parsed({"--output=-x"}).errorText, missing);
    EXPECT_EQ(parsed({"-c"}).errorText, missing);
    EXPECT_EQ(parsed({"--jpg-quality"}).errorText, missing);
    EXPECT_EQ(parsed({"--jpg-quality="}).errorText, missing);
    EXPECT_EQ(parsed({"--brightness=--20"}).errorText, missing);
    EXPECT_EQ(parsed({"--wm-text=   "}).errorText, missing);
    EXPECT_EQ(parsed({"--profile"}).errorText, missing);

    CommandLine stopped = parsed({"--width=5", "--jpg-quality", "-p", "-q", "--height=7", "-i", "a.pcd"});
    EXPECT_EQ(stopped.errorText, missing);
    EXPECT_FALSE(stopped.pauseAtExit);
    EXPECT_FALSE(stopped.quietMode);
    EXPECT_EQ(g_settings.resizeWidth, 5);
    EXPECT_EQ(g_settings.resizeHeight, 0);
    EXPECT_EQ(g_job.cliInput, "");

    CommandLine pausedFirst = parsed({"-p", "-i"});
    EXPECT_EQ(pausedFirst.errorText, missing);
    EXPECT_TRUE(pausedFirst.pauseAtExit);
}

TEST(Options, ValuesConvertWithoutErrors)
{
    EXPECT_EQ(parsed({"--jpg-quality=abc"}).errorText, "");
    EXPECT_EQ(g_settings.jpgQuality, 0);
    parsed({"--gamma=1,5"});
    EXPECT_FLOAT_EQ(g_settings.gamma, 1.0f);
    parsed({"--gamma=-infinity"});
    EXPECT_EQ(g_settings.gamma, -INFINITY);
    parsed({"--gamma=1e300"});
    EXPECT_EQ(g_settings.gamma, INFINITY);
    parsed({"--jpg-chroma=medium"});
    EXPECT_EQ(g_settings.jpgChroma, 2);
    parsed({"--jpg-chroma=mid"});
    EXPECT_EQ(g_settings.jpgChroma, 0);
    parsed({"--resize-algorithm= bicubic "});
    EXPECT_EQ(g_settings.resizeAlgorithm, 3);
    parsed({"  --JPG-Quality=50  "});
    EXPECT_EQ(g_settings.jpgQuality, 50);
    parsed({"--wm-text=MiXeD Case"});
    EXPECT_EQ(g_settings.wmText, "MiXeD Case");
}

TEST(Options, SwitchesIgnoreAnyValue)
{
    parsed({"--greyscale=0", "--invert=no", "--no-subfolders=1", "--keep-aspect-ratio=false"});
    EXPECT_EQ(g_settings.greyscale, 1);
    EXPECT_EQ(g_settings.invert, 1);
    EXPECT_EQ(g_settings.adjustEnabled, 1);
    EXPECT_EQ(g_settings.keepSubfolders, 0);
    EXPECT_EQ(g_settings.keepAspectRatio, 1);
}

TEST(Options, LaterOptionsWin)
{
    parsed({"--wm-text=T", "--wm-image=I"});
    EXPECT_EQ(g_settings.watermarkType, 2);
    parsed({"--wm-image=I", "--wm-text=T"});
    EXPECT_EQ(g_settings.watermarkType, 1);
    parsed({"--jpg-quality=10", "--jpg-quality=20", "-i", "a", "-i", "b"});
    EXPECT_EQ(g_settings.jpgQuality, 20);
    EXPECT_EQ(g_job.cliInput, "b");
}

TEST(Options, QuotedTextSplitOverParametersIsJoined)
{
    parsed({"-i", "\"/tmp/my", "photo.pcd\"", "-q"});
    EXPECT_EQ(g_job.cliInput, "/tmp/my photo.pcd");
    parsed({"-o", "\"/tmp/a", "b", "c\"", "--jpg-quality=5"});
    EXPECT_EQ(g_job.outputFolder, "/tmp/a b c");
    EXPECT_EQ(g_settings.jpgQuality, 5);
    parsed({"--input=\"/tmp/x y.pcd\""});
    EXPECT_EQ(g_job.cliInput, "/tmp/x y.pcd");
    parsed({"--wm-text=\"Hello", "big", "world\"", "--greyscale"});
    EXPECT_EQ(g_settings.wmText, "Hello big world");
    EXPECT_EQ(g_settings.greyscale, 1);
    // An unclosed quote takes everything that follows.
    parsed({"--wm-text=\"open", "--greyscale", "-q"});
    EXPECT_EQ(g_settings.wmText, "open --greyscale -q");
    EXPECT_EQ(g_settings.greyscale, 0);
    // Only text options join; -c only loses its end quotes.
    parsed({"-c", "\"jp", "g\""});
    EXPECT_EQ(g_job.outputExt, "jp");
    parsed({"--width=\"5", "6\""});
    EXPECT_EQ(g_settings.resizeWidth, 0);
}

TEST(Options, BadParametersNeverCrash)
{
    parsed({"", "   ", "-", "--", "--=", "=", "\"", "\"\"\"\""});
    EXPECT_EQ(g_job.consoleMode, 0);
    parsed({"-i", "\"\"\"\""});
    EXPECT_EQ(g_job.cliInput, "");
    parsed({"-i", "\""});
    EXPECT_EQ(g_job.cliInput, "");
    parsed({"--wm-text=\""});
    EXPECT_EQ(g_settings.wmText, "");
    parsed({"--wm-text=\"", "\""});
    EXPECT_EQ(g_settings.wmText, "");

    std::string invalidUtf8 = "\xFF\xFE\xC3\x28\xE2\x82";
    parsed({"--wm-text=" + invalidUtf8, "-i", invalidUtf8});
    EXPECT_EQ(g_settings.wmText, invalidUtf8);
    EXPECT_EQ(g_job.cliInput, invalidUtf8);

    std::string huge(2'000'000, 'x');
    EXPECT_EQ(parsed({"--" + huge, "-" + huge, huge, "--jpg-quality=" + std::string(100000, '9')}).errorText, "");
    parsed({"--wm-text=\"" + huge, huge + "\""});
    EXPECT_EQ(g_settings.wmText.size(), 2 * huge.size() + 1);
    parsed(std::vector<std::string>(20000, "\"--wm-text=\""));
    parsed({"--wm-text=\"a", std::string(100000, '"')});
    EXPECT_EQ(g_settings.wmText, "a ");
}

TEST(Options, ParseErrorPrintsOnlyTheErrorLine)
{
    ScratchFolder out;
    EXPECT_EQ(runKorvane({"-i"}).output, "Error: Incorrect number of parameters\n");
    EXPECT_EQ(runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", out.path, "--jpg-quality"}).output,
              "Error: Incorrect number of parameters\n");
}
