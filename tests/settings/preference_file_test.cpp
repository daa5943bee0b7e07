#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "settings/preference_file.h"
#include "test_support.h"

TEST(PreferenceFile, GroupsEntriesAndCommentsWithBlanksTrimmed)
{
    PreferenceFile file = parsePreferenceText("; comment = not an entry\n"
                                              "  [General]\n"
                                              "\tCFG   =   19  \t\n"
                                              "Language=en\n"
                                              "\n"
                                              "[Watermark]\n"
                                              "Text = a = b\n"
                                              "Image =\n"
                                              "Bare key\n");
    ASSERT_EQ(file.groups.size(), 2u);
    EXPECT_EQ(file.groups[0].name, "General");
    ASSERT_EQ(file.groups[0].entries.size(), 2u);
    EXPECT_EQ(file.groups[0].entries[0].key, "CFG");
    EXPECT_EQ(file.groups[0].entries[0].value, "19");
    EXPECT_EQ(readString(file, "Watermark", "Text", ""), "a = b");
    EXPECT_EQ(readString(file, "Watermark", "Image", "x"), "");
    EXPECT_EQ(readString(file, "Watermark", "Bare key", "x"), "");
    EXPECT_EQ(findValue(file, "General", "; comment"), nullptr);
}

TEST(PreferenceFile, NamesMatchInAnyCaseAndTheLaterKeyWins)
{
    PreferenceFile file = parsePreferenceText("[cli]\n--jpg-quality = 80\n[Other]\nX = 1\n[CLI]\n--JPG-QUALITY = 90\n");
    ASSERT_EQ(file.groups.size(), 2u);
    EXPECT_EQ(file.groups[0].name, "cli");
    EXPECT_EQ(readInteger(file, "Cli", "--Jpg-Quality", 0), 90);
    EXPECT_EQ(readInteger(file, "CLI", "X", -1), -1);
    EXPECT_EQ(readInteger(file, "Missing", "X", -2), -2);
    EXPECT_EQ(findGroup(file, "missing"), nullptr);
}

TEST(PreferenceFile, GroupNameEndsAtBracketOrLineEnd)
{
    PreferenceFile file = parsePreferenceText("[Open\nA=1\n[Closed] trailing\nB=2\nbefore");
    EXPECT_EQ(readInteger(file, "Open", "A", 0), 1);
    EXPECT_EQ(readInteger(file, "Closed", "B", 0), 2);
    EXPECT_EQ(readString(file, "Closed", "before", "x"), "");
}

TEST(PreferenceFile, EntriesBeforeAnyGroupBelongToTheUnnamedGroup)
{
    PreferenceFile file = parsePreferenceText("A=1\n[G]\nA=2\n");
    EXPECT_EQ(readInteger(file, "", "A", 0), 1);
    EXPECT_EQ(readInteger(file, "G", "A", 0), 2);
}

TEST(PreferenceFile, EveryKindOfLineEndSeparatesLines)
{
    for (const char* end : {"\n", "\r", "\r\n"}) {
        std::string e = end;
        PreferenceFile file = parsePreferenceText("[G]" + e + "A=1" + e + e + "B=2" + e + "C=3");
        EXPECT_EQ(readInteger(file, "G", "A", 0), 1) << "line end " << int(e[0]);
        EXPECT_EQ(readInteger(file, "G", "B", 0), 2);
        EXPECT_EQ(readInteger(file, "G", "C", 0), 3);
        EXPECT_EQ(file.groups[0].entries.size(), 3u);
    }
    // LF CR is two line ends, not one: the empty line between is skipped.
    PreferenceFile mixed = parsePreferenceText("[G]\n\rA=1\r\n\r\nB=2");
    EXPECT_EQ(readInteger(mixed, "G", "A", 0), 1);
    EXPECT_EQ(readInteger(mixed, "G", "B", 0), 2);
}

TEST(PreferenceFile, Latin1WithoutByteOrderMarkUnlessTheTextIsUtf8)
{
    PreferenceFile latin = parsePreferenceText("[G]\nT=caf\xE9 \xFF\x80\n");
    EXPECT_EQ(readString(latin, "G", "T", ""), "caf\xC3\xA9 \xC3\xBF\xC2\x80");

    PreferenceFile utf8 = parsePreferenceText("\xEF\xBB\xBF[G]\r\nT=caf\xC3\xA9\r\n");
    EXPECT_EQ(readString(utf8, "G", "T", ""), "caf\xC3\xA9");
    EXPECT_EQ(utf8.groups[0].name, "G");

    // Valid UTF-8 without a mark, as Linux editors write it, stays UTF-8.
    PreferenceFile unmarked = parsePreferenceText("[G]\nT=caf\xC3\xA9 \xC2\xA9\n");
    EXPECT_EQ(readString(unmarked, "G", "T", ""), "caf\xC3\xA9 \xC2\xA9");

    // A mark not at the very start is text like any other.
    PreferenceFile late = parsePreferenceText("\n\xEF\xBB\xBF[G]\nT=1\n");
    EXPECT_EQ(findGroup(late, "G"), nullptr);
}

TEST(PreferenceFile, IntegersAreDecimalOnlyAndRealsKnowTheSpecialWords)
{
    PreferenceFile file = parsePreferenceText("[N]\nA = -42abc\nB = $10\nC = 2,5\nD = nan\n");
    EXPECT_EQ(readInteger(file, "N", "A", 0), -42);
    EXPECT_EQ(readInteger(file, "N", "B", 9), 0);
    EXPECT_DOUBLE_EQ(readReal(file, "N", "C", 0), 2.0);
    EXPECT_TRUE(std::isnan(readReal(file, "N", "D", 0)));
    EXPECT_DOUBLE_EQ(readReal(file, "N", "missing", 2.5), 2.5);
}

TEST(PreferenceFile, ReadingFromDiskAcceptsOnlyReadableRegularFiles)
{
    ScratchFolder folder;
    writeFile(folder.path + "p.ini", "\xEF\xBB\xBF\r\n[CLI]\r\n--WIDTH = 100\r\n");
    std::optional<PreferenceFile> file = readPreferenceFile(folder.path + "p.ini");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(readInteger(*file, "cli", "--width", 0), 100);

    writeFile(folder.path + "empty.ini", "");
    ASSERT_TRUE(readPreferenceFile(folder.path + "empty.ini").has_value());
    EXPECT_TRUE(readPreferenceFile(folder.path + "empty.ini")->groups.empty());

    EXPECT_FALSE(readPreferenceFile(folder.path + "missing.ini").has_value());
    EXPECT_FALSE(readPreferenceFile(folder.path).has_value());
    EXPECT_FALSE(readPreferenceFile("").has_value());
    EXPECT_FALSE(readPreferenceFile("/dev/null").has_value());

    if (geteuid() != 0) {
        chmod((folder.path + "p.ini").c_str(), 0);
        EXPECT_FALSE(readPreferenceFile(folder.path + "p.ini").has_value());
    }
}

TEST(PreferenceFile, GarbageAndHugeLinesAreReadWithoutHarm)
{
    std::string garbage;
    uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        garbage += static_cast<char>(state >> 24);
    }
    PreferenceFile noise = parsePreferenceText(garbage);
    PreferenceFile noiseAfterMark = parsePreferenceText("\xEF\xBB\xBF" + garbage);
    EXPECT_GE(noise.groups.size(), 1u);
    EXPECT_GE(noiseAfterMark.groups.size(), 1u);

    std::string longValue(3'000'000, '9');
    PreferenceFile huge = parsePreferenceText("[G]\nA=" + longValue);
    EXPECT_EQ(readString(huge, "G", "A", "").size(), longValue.size());
    EXPECT_EQ(readInteger(huge, "G", "A", 0), -1);  // 10^n - 1 keeps only its low 32 bits

    EXPECT_TRUE(parsePreferenceText("").groups.empty());
    EXPECT_TRUE(parsePreferenceText("\xEF\xBB\xBF").groups.empty());
    EXPECT_TRUE(parsePreferenceText(std::string("\0\0\0", 3)).groups.size() == 1);
}

TEST(PreferenceFile, Utf16InEitherByteOrderAfterItsMark)
{
    // "[G]", "K = " and G clef (a surrogate pair), e acute, a lone surrogate.
    const std::u16string text = u"[G]\r\nK = \U0001D11E\u00E9\xD800!\r\n";
    for (bool bigEndian : {false, true}) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        EXPECT_EQ(readString(parsePreferenceText(bytes), "G", "K", ""), "\xF0\x9D\x84\x9E\xC3\xA9\xEF\xBF\xBD!")
            << bigEndian;
    }
}
