#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "settings/preference_file.h"
#include "settings/preference_writer.h"

TEST(PreferenceWriter, GroupHeaderFollowsOnlyWithItsFirstLine)
{
    PreferenceText text;
    beginGroup(text, "Empty");
    beginGroup(text, "Numbers");
    writeInteger(text, "Small", -42);
    writeInteger(text, "Large", 5000000000LL);
    writeComment(text, "");
    beginGroup(text, "Only Comment");
    writeComment(text, "note");
    EXPECT_EQ(text.bytes, "\xEF\xBB\xBF\r\n"
                          "[Numbers]\r\nSmall = -42\r\nLarge = 5000000000\r\n; \r\n"
                          "[Only Comment]\r\n; note\r\n");
}

TEST(PreferenceWriter, RealsHaveSixDecimalsAndOddValuesReadBack)
{
    PreferenceText text;
    beginGroup(text, "R");
    writeReal(text, "One", 1.0);
    writeReal(text, "Small", 0.1f);
    writeReal(text, "Negative", -2.5);
    writeReal(text, "Rounded", 2.0000004);
    writeReal(text, "Up", std::numeric_limits<double>::infinity());
    writeReal(text, "Down", -std::numeric_limits<double>::infinity());
    writeReal(text, "Nothing", std::nan(""));
    EXPECT_NE(text.bytes.find("One = 1.000000\r\nSmall = 0.100000\r\nNegative = -2.500000\r\n"
                              "Rounded = 2.000000\r\n"),
              std::string::npos);

    PreferenceFile file = parsePreferenceText(text.bytes);
    EXPECT_EQ(readReal(file, "R", "Up", 0), std::numeric_limits<double>::infinity());
    EXPECT_EQ(readReal(file, "R", "Down", 0), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(readReal(file, "R", "Nothing", 0)));
}

TEST(PreferenceWriter, LineBreaksInsideAValueCannotStartANewLine)
{
    PreferenceText text;
    beginGroup(text, "G");
    writeString(text, "Path", "/a\r\n[Window]\nX = 5");
    writeString(text, "Name", "Caf\xC3\xA9");
    EXPECT_NE(text.bytes.find("Path = /a  [Window] X = 5\r\nName = Caf\xC3\xA9\r\n"), std::string::npos);

    PreferenceFile file = parsePreferenceText(text.bytes);
    ASSERT_EQ(file.groups.size(), 1u);
    EXPECT_EQ(file.groups[0].entries.size(), 2u);
}
