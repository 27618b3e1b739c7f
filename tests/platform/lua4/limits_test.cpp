// What a runaway or hostile script meets: chains of suffixes of any length
// run, as they did in 4.0, whether they are in the script or built at run
// time; memory has a ceiling, and running into it is reported by name.
#include <string>

#include "platform/lua4/lib4_script_fixture.h"
#include "platform/lua4/memory_limit.h"

namespace {

using LimitsTest = Script40Test;
using lua4::frontend::translateChunk40;

constexpr int millionSuffixes = 1000000;

// x[1], x.a and x:m() give x again; f called with anything gives f.
const char* chainTargets =
    "x = {} x[1] = x x.a = x\n"
    "function x:m() return self end\n"
    "function f() return f end\n";

std::string chainScript(const char* base, const std::string& suffix) {
    std::string script(chainTargets);
    script.reserve(script.size() + suffix.size() * millionSuffixes + 32);
    script.append("y = ").append(base);
    for (int i = 0; i < millionSuffixes; ++i) script += suffix;
    return script.append("\nsame = y == ").append(base);
}

TEST_F(LimitsTest, AMillionSuffixesOfEachKindRun) {
    const struct {
        const char* base;
        const char* suffix;
    } chains[] = {{"x", "[1]"}, {"x", ".a"},   {"x", ":m()"},
                  {"f", "()"},  {"f", " 'a'"}, {"f", "{}"}};
    for (const auto& chain : chains) {
        ASSERT_EQ(0, run("y = nil same = nil"));
        EXPECT_EQ(0, run(chainScript(chain.base, chain.suffix))) << chain.suffix;
        EXPECT_EQ("1", global("same")) << chain.suffix;
    }
}

// A method named `true` cannot be a suffix in Lua 5.1; its calls nest, and
// a long chain of them meets Lua 5.1's own nesting limit: a syntax error.
TEST_F(LimitsTest, AMillionCallsOfAMethodNamedTrueFailCleanly) {
    collectReports();
    EXPECT_EQ(lua4::ERRSYNTAX, run(chainScript("x", ":true()"), "chain.lua"));
    EXPECT_EQ(0u, global("reports").find("[chain.lua:")) << global("reports");
}

TEST_F(LimitsTest, ChainsBuiltAtRunTimeRunThroughDostring) {
    collectReports();
    std::string script(chainTargets);
    script +=
        "s = '[1]'\n"
        "for i = 1, 20 do s = s .. s end\n"
        "ran = dostring('y = x' .. s)\n"
        "same = y == x\n"
        "refused = dostring('y = x' .. s .. '[')\n";
    EXPECT_EQ(0, run(script));
    EXPECT_EQ("1", global("ran"));
    EXPECT_EQ("1", global("same"));
    EXPECT_EQ("(not a string)", global("refused"));
    EXPECT_EQ("[string:1: unexpected symbol near '<eof>']", global("reports"));
}

std::string numberedLocals(int count) {
    std::string locals;
    for (int i = 0; i < count; ++i) locals += "local a" + std::to_string(i) + " = 1\n";
    return locals;
}

std::string upvalueSum(int count) {
    std::string sum = "%a0";
    for (int i = 1; i < count; ++i) sum += " + %a" + std::to_string(i);
    return sum;
}

// As many as Lua 5.1 takes run; one more is refused by the front end, with
// the line, before any time goes into looking names up among them.
TEST_F(LimitsTest, LocalsAndUpvaluesUpToLua51sLimits) {
    EXPECT_EQ(0, run(numberedLocals(200) + "total = a199"));
    EXPECT_EQ(
        0, run(numberedLocals(60) + "function f() return " + upvalueSum(60) + " end\ntotal = f()"));
    EXPECT_EQ("60", global("total"));
    auto tooMany = translateChunk40(numberedLocals(200) + "local b = 1 x = 1", "s.lua");
    EXPECT_EQ(201, tooMany.errorLine) << tooMany.error;
    tooMany = translateChunk40(
        numberedLocals(61) + "function f()\nreturn " + upvalueSum(61) + " end", "s.lua");
    EXPECT_EQ(63, tooMany.errorLine) << tooMany.error;
}

// Lua 4.0 kept memory errors from _ERRORMESSAGE; here they are reported as
// any other error, so that a script that runs away says why it stopped.
TEST_F(LimitsTest, RunningOutOfMemoryIsReportedByName) {
    collectReports();
    lua4::setMemoryLimit(L, 32 << 20);
    const char* runaway = "s = 'x' while 1 do s = s .. s end";
    EXPECT_EQ(lua4::ERRMEM, run(runaway));
    EXPECT_EQ("[not enough memory]", global("reports"));
    EXPECT_EQ(0, run("reports = '' s = nil\n"
                     "inner = dostring('t = {} i = 1 while 1 do t[i] = i i = i + 1 end')\n"
                     "t = nil\n"
                     "called = call(function () local s = 'x' while 1 do s = s .. s end end,"
                     "  {}, 'x')\n"
                     "after = 1"));
    EXPECT_EQ("[not enough memory][not enough memory]", global("reports"));
    EXPECT_EQ("(not a string)", global("inner"));
    EXPECT_EQ("(not a string)", global("called"));
    EXPECT_EQ("1", global("after"));
    ASSERT_EQ(0, run("reports = ''"));
    std::string chain = "y = x";
    for (int i = 0; i < 100000; ++i) chain += "[1]";
    lua4::setMemoryLimit(L, 8 << 20);
    EXPECT_EQ(lua4::ERRMEM, run(chain));
    EXPECT_EQ("[not enough memory]", global("reports"));
}

}  // namespace
