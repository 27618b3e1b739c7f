// The 4.0 math library's edge values: degrees are
// converted, not special-cased; mod keeps the dividend's sign; PI prints
// with fourteen digits; random covers its whole range.
#include "platform/lua4/lib4_script_fixture.h"

namespace {

using MathLibraryTest = Script40Test;

TEST_F(MathLibraryTest, DegreeConversionsAreNotRoundedToExactValues) {
    EXPECT_EQ("6.1232339957368e-17\t180\t-0.5\t90\n",
              output("print(cos(90), atan2(0, -3), sin(-30), asin(1))"));
}

TEST_F(MathLibraryTest, ModFrexpAndPowerFollowC) {
    EXPECT_EQ("-1\t1\t-1.5\t2\n-0.75\t6\t0\t0\n512\t-4\t3.1415926535898\n",
              output("print(mod(-7, 3), mod(7, -3), mod(-7.5, 2), mod(8, 3))\n"
                     "a, b = frexp(-48) c, d = frexp(0) print(a, b, c, d)\n"
                     "print(2^3^2, -2^2, PI)"));
}

TEST_F(MathLibraryTest, RandomReachesBothEndsOfItsRange) {
    const char* script =
        "randomseed(42)\n"
        "seen = {}\n"
        "for i = 1, 2000 do seen[random(3)] = 1 seen[random(-1, 0) + 10] = 1 end\n"
        "print(seen[1], seen[2], seen[3], seen[9], seen[10], getn(seen), random(1))\n";
    EXPECT_EQ("1\t1\t1\t1\t1\t10\t1\n", output(script));
}

}  // namespace
