#include <gtest/gtest.h>

#include <map>
#include <string>

#include "settings/catalogue.h"
#include "settings/catalogue_texts.h"

namespace {

class Catalogue : public testing::Test {
protected:
    void SetUp() override { buildCatalogue(); }
    void TearDown() override { buildCatalogue(); }
};

}  // namespace

TEST_F(Catalogue, EveryBuiltInKeyIsFoundWithItsText)
{
    std::map<std::string, int> keysPerGroup;
    std::string group;
    int pairs = 0;
    for (const char* const* pair = kBuiltInTexts; std::string(pair[0]) != "_END_"; pair += 2) {
        if (std::string(pair[0]) == "_GROUP_") {
            group = pair[1];
            keysPerGroup[group];
            continue;
        }
        ++keysPerGroup[group];
        ++pairs;
        EXPECT_EQ(lookupText(group, pair[0]), pair[1]) << group << " / " << pair[0];
    }
    const std::map<std::string, int> expected = {
        {"Menu", 27}, {"General", 10},         {"Msg", 41},      {"Dialog", 18}, {"Preferences", 226},
        {"About", 4}, {"Custom-Converter", 4}, {"Uninstall", 3},
    };
    EXPECT_EQ(keysPerGroup, expected);
    EXPECT_EQ(pairs, 333);
}

TEST_F(Catalogue, TextsAreTheProgramsOwnWording)
{
    EXPECT_EQ(lookupText("General", "Preparing"), "Preparing...");
    EXPECT_EQ(lookupText("General", "Output Folder"), "Output Folder:");
    EXPECT_EQ(lookupText("Msg", "Conversion is not complete"), "Conversion stopped");
    EXPECT_EQ(lookupText("Msg", "Empty input files"),
              "No input file(s) found. Please, add valid file(s) and try again!");
    EXPECT_EQ(lookupText("Msg", "Invalid output folder"),
              "The following output folder is invalid or doesn't exist:\r\n%s1%\r\n\r\n"
              "Please, correct the output path and try again!");
    EXPECT_EQ(lookupText("Preferences", "Strikeout"), "Strikethrough");
    EXPECT_EQ(lookupText("Custom-Converter", "To"), "To:");
    EXPECT_EQ(lookupText("Uninstall", "Next"), "Next");
}

TEST_F(Catalogue, LookupIgnoresCaseAndKeepsGroupsApart)
{
    EXPECT_EQ(lookupText("msg", "error"), "Error");
    EXPECT_EQ(lookupText("MENU", "about"), "About...");
    // "Ready" lives in General only; "Title" in four groups with four texts.
    EXPECT_EQ(lookupText("Msg", "Ready"), "%NO_STRING_ERROR%");
    EXPECT_EQ(lookupText("About", "Title"), "About...");
    EXPECT_EQ(lookupText("Uninstall", "Title"), "Uninstall");
    EXPECT_EQ(lookupText("About", "Title"), "About...");
    // A failed group search must not leave the previous group remembered.
    EXPECT_EQ(lookupText("Nowhere", "Title"), "%NO_STRING_ERROR%");
    EXPECT_EQ(lookupText("About", "Title"), "About...");
}

TEST_F(Catalogue, KeysThatAreMissingOrOnlyPrefixesAreNotFound)
{
    EXPECT_EQ(lookupText("General", ""), "%NO_STRING_ERROR%");
    EXPECT_EQ(lookupText("General", "Input"), "%NO_STRING_ERROR%");        // prefix of "Input File"
    EXPECT_EQ(lookupText("General", "Input Filez"), "%NO_STRING_ERROR%");  // between two keys
    EXPECT_EQ(lookupText("General", "Zebra"), "%NO_STRING_ERROR%");        // no key starts with Z
    EXPECT_EQ(lookupText("General", "Input Files"), "Input Files:");
    EXPECT_EQ(lookupText("General", "\xC3\x84rger"), "%NO_STRING_ERROR%");
}

TEST_F(Catalogue, TablesMayWriteMarkersInAnyCaseAndKeysInAnyOrder)
{
    const char* const table[] = {
        "_group_",  "Empty",  "_Group_", "Words", "beta",  "second",   "Alpha", "first",
        "alphabet", "longer", "b",       "short", "_end_", "not read", "after", "the end",
    };
    buildCatalogueFrom(table);
    EXPECT_EQ(lookupText("Words", "ALPHA"), "first");
    EXPECT_EQ(lookupText("Words", "alphabet"), "longer");
    EXPECT_EQ(lookupText("Words", "b"), "short");
    EXPECT_EQ(lookupText("Words", "Beta"), "second");
    EXPECT_EQ(lookupText("Words", "after"), "%NO_STRING_ERROR%");
    EXPECT_EQ(lookupText("Empty", "alpha"), "%NO_STRING_ERROR%");
    EXPECT_EQ(lookupText("Msg", "Error"), "%NO_STRING_ERROR%");
}

TEST(FillPlaceholders, ReplacesTheGivenValuesOnly)
{
    const std::string converted = "Files converted: %s1% of %s2%";
    EXPECT_EQ(fillPlaceholders(converted, "3", "10", "", ""), "Files converted: 3 of 10");
    EXPECT_EQ(fillPlaceholders(converted, "3", "", "", ""), "Files converted: 3 of %s2%");
    EXPECT_EQ(fillPlaceholders("%S1% and %s1%", "x", "", "", ""), "x and x");
    EXPECT_EQ(fillPlaceholders("", "x", "y", "z", "w"), "");
    EXPECT_EQ(fillPlaceholders("%s4%%s3%%s2%%s1%", "a", "b", "c", "d"), "dcba");
}

TEST(FillPlaceholders, LaterPlaceholdersInsideValuesAreExpandedAgain)
{
    EXPECT_EQ(fillPlaceholders("<%s1%>", "%s2%", "two", "", ""), "<two>");
    // An earlier placeholder brought in by a later value stays.
    EXPECT_EQ(fillPlaceholders("<%s2%>", "one", "%s1%", "", ""), "<%s1%>");
    // A value containing its own placeholder is not expanded forever.
    EXPECT_EQ(fillPlaceholders("%s1%-%s1%", "%s1%", "", "", ""), "%s1%-%s1%");
}
