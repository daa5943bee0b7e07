#include <gtest/gtest.h>

#include "app/program_identity.h"

TEST(ProgramIdentity, VersionTextDropsATrailingZeroPart)
{
    EXPECT_EQ(versionText(300), "3.0");
    EXPECT_EQ(versionText(301), "3.0.1");
    EXPECT_EQ(versionText(310), "3.1");
    EXPECT_EQ(titledName(programTitle, programVersion), "Tessaly PCD to JPG 3.0");
}
