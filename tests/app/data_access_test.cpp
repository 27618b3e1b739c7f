// Names written on Windows find their files under data/; packed mode
// without an archive reports each missing member.
#include <gtest/gtest.h>

#include "media/data_access.h"
#include "temp_production.h"

namespace {

TEST(DataAccess, DataPathPrefixesTheDirectory) {
    EXPECT_EQ("data/script.lua", DataAccess::dataPath("script.lua"));
    EXPECT_EQ("data/tex/a.png", DataAccess::dataPath("tex/a.png"));
}

class DataPathResolution : public ::testing::Test {
  protected:
    TempProduction production;
};

TEST_F(DataPathResolution, ExactNamesAndBackslashes) {
    production.write("textures/logo.png", "x");
    EXPECT_EQ("data/textures/logo.png", DataAccess::resolvePath("textures/logo.png"));
    EXPECT_EQ("data/textures/logo.png", DataAccess::resolvePath("textures\\logo.png"));
}

TEST_F(DataPathResolution, LetterCaseIsIgnoredComponentByComponent) {
    production.write("Textures/Sub/logo.png", "x");
    EXPECT_EQ("data/Textures/Sub/logo.png", DataAccess::resolvePath("TEXTURES\\sub\\LOGO.PNG"));
    EXPECT_EQ("data/Textures/Sub/logo.png", DataAccess::resolvePath("textures//Sub/Logo.png"));
}

TEST_F(DataPathResolution, AnExactMatchWinsOverOtherCases) {
    production.write("a.png", "lower");
    production.write("A.png", "upper");
    EXPECT_EQ("data/a.png", DataAccess::resolvePath("a.png"));
    EXPECT_EQ("data/A.png", DataAccess::resolvePath("A.png"));
    EXPECT_EQ("data/A.png", DataAccess::resolvePath("A.PNG"));  // first in name order
}

TEST_F(DataPathResolution, NoMatchGivesThePlainPath) {
    production.write("textures/logo.png", "x");
    EXPECT_EQ("data/textures/missing.png", DataAccess::resolvePath("textures\\missing.png"));
    EXPECT_EQ("data/nodir/logo.png", DataAccess::resolvePath("nodir/logo.png"));
    EXPECT_EQ("data/textures/logo.png/x", DataAccess::resolvePath("textures/logo.png/x"));
}

TEST_F(DataPathResolution, PackedExtractionWithoutArchiveReportsTheName) {
    std::uint8_t* buffer = reinterpret_cast<std::uint8_t*>(1);
    std::uint32_t size = 7;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(DataAccess::extract("Tex\\a.png", buffer, size));
    EXPECT_EQ("Failed to unpack Tex\\a.png\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(nullptr, buffer);
    EXPECT_EQ(0u, size);
}

}  // namespace
