// The 4.0 base and math libraries as far as they exist: conversions,
// type names, print, and the math functions with angles in degrees.
#include "platform/lua4/lua_state_fixture.h"

namespace {

using LibrariesTest = LuaStateTest;

TEST_F(LibrariesTest, TonumberReadsDecimalNumeralsAndOtherBases) {
    ASSERT_EQ(0, run("a = tonumber('10')\nb = tonumber('z', 36)\nc = tonumber('fF', 16)\n"
                     "d = tonumber('abc')\ne = tonumber('8', 8)\nf = tonumber(' 1e3 ')\n"
                     "g = tonumber('0x10')\nh = tonumber(4)\ni = tonumber(nil)"));
    EXPECT_EQ(10, number("a"));
    EXPECT_EQ(35, number("b"));
    EXPECT_EQ(255, number("c"));
    EXPECT_FALSE(text("d").has_value());
    EXPECT_FALSE(text("e").has_value());
    EXPECT_EQ(1000, number("f"));
    EXPECT_FALSE(text("g").has_value());
    EXPECT_EQ(4, number("h"));
    EXPECT_FALSE(text("i").has_value());
}

TEST_F(LibrariesTest, TonumberRejectsABaseOutOfRange) {
    collectErrorReports();
    EXPECT_NE(0, run("tonumber('1', 37)"));
    EXPECT_EQ("bad argument #2 to 'tonumber' (base out of range)\n", text("reports"));
}

TEST_F(LibrariesTest, TypeAndTostring) {
    ASSERT_EQ(0, run("a = type(nil)\nb = type(1)\nc = type('s')\nd = type({})\n"
                     "e = type(print)\nf = tostring(12)\ng = tostring(nil)\nh = tostring(0.5)"));
    EXPECT_EQ("nil", text("a"));
    EXPECT_EQ("number", text("b"));
    EXPECT_EQ("string", text("c"));
    EXPECT_EQ("table", text("d"));
    EXPECT_EQ("function", text("e"));
    EXPECT_EQ("12", text("f"));
    EXPECT_EQ("nil", text("g"));
    EXPECT_EQ("0.5", text("h"));
}

TEST_F(LibrariesTest, PrintSeparatesWithTabs) {
    testing::internal::CaptureStdout();
    ASSERT_EQ(0, run("print(1, 'two', nil, 2.5)\nprint()"));
    EXPECT_EQ("1\ttwo\tnil\t2.5\n\n", testing::internal::GetCapturedStdout());
}

TEST_F(LibrariesTest, TrigonometryIsInDegrees) {
    ASSERT_EQ(0, run("s = sin(30)\nc = cos(60)\nt = tan(45)\nas = asin(0.5)\n"
                     "ac = acos(-1)\nat = atan(1)\na2 = atan2(1, -1)\na3 = atan2(-5, 0)\n"
                     "d = deg(PI)\nr = rad(180)"));
    EXPECT_NEAR(0.5, number("s"), 1e-15);
    EXPECT_NEAR(0.5, number("c"), 1e-15);
    EXPECT_NEAR(1, number("t"), 1e-15);
    EXPECT_NEAR(30, number("as"), 1e-12);
    EXPECT_DOUBLE_EQ(180, number("ac"));
    EXPECT_DOUBLE_EQ(45, number("at"));
    EXPECT_DOUBLE_EQ(135, number("a2"));
    EXPECT_DOUBLE_EQ(-90, number("a3"));
    EXPECT_DOUBLE_EQ(180, number("d"));
    EXPECT_DOUBLE_EQ(3.14159265358979323846, number("r"));
}

TEST_F(LibrariesTest, OtherMathFunctions) {
    ASSERT_EQ(0,
              run("m1 = mod(-7, 3)\nm2 = mod(7, -3)\nm3 = mod(-7.5, 2)\n"
                  "fm, fe = frexp(48)\nl = ldexp(0.75, 6)\nhi = max(3, 9, -1)\nlo = min(3, 9, -1)\n"
                  "fl = floor(-2.5)\nce = ceil(2.1)\nab = abs(-4)\nsq = sqrt(16)\n"
                  "lg = log10(1000)\nx = 2 ^ 10"));
    EXPECT_EQ(-1, number("m1"));
    EXPECT_EQ(1, number("m2"));
    EXPECT_EQ(-1.5, number("m3"));
    EXPECT_EQ(0.75, number("fm"));
    EXPECT_EQ(6, number("fe"));
    EXPECT_EQ(48, number("l"));
    EXPECT_EQ(9, number("hi"));
    EXPECT_EQ(-1, number("lo"));
    EXPECT_EQ(-3, number("fl"));
    EXPECT_EQ(3, number("ce"));
    EXPECT_EQ(4, number("ab"));
    EXPECT_EQ(4, number("sq"));
    EXPECT_DOUBLE_EQ(3, number("lg"));
    EXPECT_EQ(1024, number("x"));
    EXPECT_EQ("3.1415926535898", text("PI"));
}

TEST_F(LibrariesTest, RandomStaysInItsRanges) {
    ASSERT_EQ(0,
              run("randomseed(7)\nok = 1\nfor i = 1, 200 do\n"
                  "  local r = random()\n  if r < 0 or r >= 1 then ok = nil end\n"
                  "  local n = random(3)\n  if n < 1 or n > 3 or n ~= floor(n) then ok = nil end\n"
                  "  local m = random(-2, 2)\n  if m < -2 or m > 2 then ok = nil end\n"
                  "end\none = random(5, 5)"));
    EXPECT_EQ(1, number("ok"));
    EXPECT_EQ(5, number("one"));
}

TEST_F(LibrariesTest, MathArgumentsAreChecked) {
    collectErrorReports();
    EXPECT_NE(0, run("sin('x')"));
    EXPECT_NE(0, run("max()"));
    EXPECT_NE(0, run("random(3, 1)"));
    EXPECT_EQ(0, run("ok = sin('30')"));
    EXPECT_EQ(
        "bad argument #1 to 'sin' (number expected)\n"
        "bad argument #1 to 'max' (number expected)\n"
        "bad argument #2 to 'random' (interval is empty)\n",
        text("reports"));
    EXPECT_NEAR(0.5, number("ok"), 1e-15);
}

}  // namespace
