#include "app/demo_ini.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

DemoIni parse(const char* text) {
    return parseDemoIni(text, std::strlen(text));
}

TEST(DemoIni, ReadsTheThreeSwitchesInOrder) {
    DemoIni ini = parse("packed 1\nsetup 1\nzb24bit 1\n");
    EXPECT_EQ(ini.packed, 1);
    EXPECT_EQ(ini.setup, 1);
    EXPECT_EQ(ini.zb24bit, 1);
}

TEST(DemoIni, OnlyThePackedLineLeavesTheOthersOff) {
    DemoIni ini = parse("packed 1\n");
    EXPECT_EQ(ini.packed, 1);
    EXPECT_EQ(ini.setup, 0);
    EXPECT_EQ(ini.zb24bit, 0);
}

TEST(DemoIni, AMissingFirstLineOnlyLosesItsOwnValue) {
    DemoIni ini = parse("setup 1\nzb24bit 1\n");
    EXPECT_EQ(ini.packed, 0);
    EXPECT_EQ(ini.setup, 1);
    EXPECT_EQ(ini.zb24bit, 1);
}

TEST(DemoIni, ValuesOtherThanOneAreKeptAsRead) {
    DemoIni ini = parse("packed 2\nsetup -1\nzb24bit 0\n");
    EXPECT_EQ(ini.packed, 2);
    EXPECT_EQ(ini.setup, -1);
    EXPECT_EQ(ini.zb24bit, 0);
}

TEST(DemoIni, AMalformedValueStopsTheLaterScansAtTheBadCharacter) {
    // The first scan stops at 'x'; the following patterns cannot match there.
    DemoIni ini = parse("packed x\nsetup 1\nzb24bit 1\n");
    EXPECT_EQ(ini.packed, 0);
    EXPECT_EQ(ini.setup, 0);
    EXPECT_EQ(ini.zb24bit, 0);
}

TEST(DemoIni, EmptyAndBinaryInputGiveAllOff) {
    EXPECT_EQ(parse("").packed, 0);
    const char garbage[] = {'\xff', '\0', 'p', '\n'};
    DemoIni ini = parseDemoIni(garbage, sizeof garbage);
    EXPECT_EQ(ini.packed + ini.setup + ini.zb24bit, 0);
}

TEST(DemoIni, WhitespaceBetweenLinesIsSkippedByTheScan) {
    DemoIni ini = parse("packed   1\n\n\nsetup\t1\r\nzb24bit 1");
    EXPECT_EQ(ini.packed, 1);
    EXPECT_EQ(ini.setup, 1);
    EXPECT_EQ(ini.zb24bit, 1);
}

}  // namespace
