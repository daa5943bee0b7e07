#include <gtest/gtest.h>

#include "gui/custom_converter_search.h"

TEST(CustomConverterSearch, BuildsTheSearchAddressFromCleanedExtensions)
{
    const std::string page = "https://www.tessaly.com/find/";
    EXPECT_EQ(keepLettersAndDigits("a-1_B.2 é"), "a1B2");
    EXPECT_EQ(converterSearchTarget(page, " .PCD ", "jpeg!"), page + "pcd-jpeg/");
    // Cut to twelve characters before anything is removed.
    EXPECT_EQ(converterSearchTarget(page, "abcdefghijklm", "jpg"), page + "abcdefghijkl-jpg/");
    EXPECT_EQ(converterSearchTarget(page, "............png", "jpg"), "");
    // Characters, not bytes: twelve accented letters leave nothing behind.
    EXPECT_EQ(searchExtension("ÉÉÉÉÉÉÉÉÉÉÉÉpng"), "");
    EXPECT_EQ(searchExtension("ÄBC"), "bc");
    EXPECT_EQ(converterSearchTarget(page, std::string(10000, 'X'), std::string(10000, '!')), "");
    EXPECT_EQ(converterSearchTarget(page, std::string(10000, 'X'), "tif"), page + std::string(12, 'x') + "-tif/");
    EXPECT_EQ(converterSearchTarget(page, "", "jpg"), "");
    EXPECT_EQ(converterSearchTarget(page, "?!", "..."), "");
}
