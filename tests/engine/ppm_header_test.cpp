#include <gtest/gtest.h>

#include <climits>

#include "engine/ppm_header.h"

TEST(PpmHeader, FieldsAndWhereThePixelsBegin)
{
    const std::optional<PpmHeader> plain = parsePpmHeader("P6\n3072 2048\n255\nRGB");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->width, 3072);
    EXPECT_EQ(plain->height, 2048);
    EXPECT_EQ(plain->maximum, 255);
    EXPECT_EQ(plain->pixelOffset, 17u);
    EXPECT_FALSE(plain->hasComments);

    // Comments may stand before any field; the one whitespace after the
    // maximum is the last header byte, even when the pixels look like blanks.
    const std::optional<PpmHeader> commented = parsePpmHeader("P6 # by hand\n4\t# two\r2 65535\n\n\n");
    ASSERT_TRUE(commented);
    EXPECT_EQ(commented->maximum, 65535);
    EXPECT_EQ(commented->pixelOffset, 29u);
    EXPECT_TRUE(commented->hasComments);

    EXPECT_EQ(parsePpmHeader("P6 99999999999999999999 1 255 ")->width, INT_MAX);
}

TEST(PpmHeader, AnythingButAWholeBinaryHeaderIsRefused)
{
    for (const char* bytes :
         {"P5 4 2 255 ", "P64 2 255 ", "P6 4 2 255", "P6 4 2", "P6 4 -2 255 ", "P6 4 2 255x", "P6 # never ends", ""})
        EXPECT_FALSE(parsePpmHeader(bytes)) << bytes;
}
