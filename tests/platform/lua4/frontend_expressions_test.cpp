// Expressions as Lua 4.0 evaluates them, after translation: operator
// grouping across all precedence levels and both contexts (values and
// conditions), strings with every byte value, and closures made in loops.
#include <string>
#include <utility>
#include <vector>

#include "platform/lua4/lib4_script_fixture.h"

namespace {

using FrontendExpressionTest = Script40Test;

// Each expression with what print shows for it under Lua 4.0 rules.
const std::vector<std::pair<std::string, std::string>> expressions = {
    {"2 - 3 - 4", "-5"},
    {"2 / 4 / 2", "0.25"},
    {"1 + 2 * 3 ^ 2", "19"},
    {"-x ^ 2", "-9"},
    {"(-x) ^ 2", "9"},
    {"2 ^ -x", "0.125"},
    {"- - x", "3"},
    {"1 .. 2 .. 3", "123"},
    {"'a' .. 1 + 2 .. 'b'", "a3b"},
    {"1 + 2 .. ''", "3"},
    {"not 1 == nil", "1"},
    {"not (1 == nil)", "1"},
    {"not nil == 1", "1"},
    {"1 < 2 == 1", "1"},
    {"(1 < 2) + 1", "2"},
    {"1 == 1 and 2 < 1", "nil"},
    {"nil or 2 < 3 and 'yes'", "yes"},
    {"x > 2 and x <= 3 and x >= 3 and x ~= 4", "1"},
    {"x and nil or 'fallback'", "fallback"},
    {"x or nil and 'then'", "then"},
    {"(x or nil) and 'then'", "then"},
    {"x or (nil and 'never')", "3"},
    {"-x < 0", "1"},
    {"not not x", "1"},
    {"not x or 5", "5"},
    {"({4, 5})[2] == 5", "1"},
    {"getn({1 < 2, 2 < 1, 3})", "3"},
    {"t.true == nil", "1"},
    {"1e2 / 4e-1", "250"},
};

TEST_F(FrontendExpressionTest, OperatorsGroupAsInLuaFourZero) {
    std::string script = "x = 3 t = {}\n";
    std::string expected;
    for (const auto& [expression, shown] : expressions) {
        script += "print(" + expression + ")\n";
        expected += shown + "\n";
    }
    // ({4, 5})[2] is not 4.0 syntax: index the table through a global.
    std::size_t at = script.find("({4, 5})[2]");
    script.replace(at, 11, "pair[2]");
    EXPECT_EQ(expected, output("pair = {4, 5}\n" + script));
}

TEST_F(FrontendExpressionTest, ConditionsUseTheSameTruth) {
    const char* script =
        "nan = 0 / 0\n"
        "r = ''\n"
        "if 1 < 2 then r = r .. 'a' end\n"
        "if not (1 < 2) then r = r .. 'X' end\n"
        "if nan <= nan then r = r .. 'b' end\n"
        "if 1 <= 2 and not (2 <= 1) then r = r .. 'c' end\n"
        "if nil or 1 and nil then r = r .. 'X' else r = r .. 'd' end\n"
        "i = 0 while i < 3 do i = i + 1 end\n"
        "repeat i = i - 1 until i <= 0 or nil\n"
        "print(r, i)\n";
    EXPECT_EQ("abcd\t0\n", output(script));
}

TEST_F(FrontendExpressionTest, EveryByteSurvivesInStrings) {
    std::string script = "s = '";
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == '\'' || byte == '\\' || byte == '\n') {
            script += "\\" + std::to_string(byte);
        } else if (byte < 32 || byte == 127) {
            script += "\\" + std::to_string(byte);
        } else {
            script += static_cast<char>(byte);
        }
    }
    script += "'\nlong = [[\"\\\\\t" + std::string("\x80\xff") + "]]\n";
    ASSERT_EQ(0, run(script));
    lua4::lua_getglobal(L, "s");
    std::size_t length = 0;
    const char* text = ::lua_tolstring(L, -1, &length);
    ASSERT_EQ(256u, length);
    for (int byte = 0; byte < 256; ++byte) EXPECT_EQ(byte, static_cast<unsigned char>(text[byte]));
    EXPECT_EQ("\"\\\\\t\x80\xff", global("long"));
}

TEST_F(FrontendExpressionTest, ClosuresMadeInLoopsFreezeEachValue) {
    const char* script =
        "fs = {}\n"
        "for i = 1, 3 do\n"
        "  local scaled = i * 10\n"
        "  fs[i] = function() return %i + %scaled end\n"
        "end\n"
        "obj = {n = 'o', name = function(self) return self.n end}\n"
        "function caller(o) return function() return %o:name() .. %o.n end end\n"
        "c = caller(obj) obj = nil\n"
        "print(fs[1](), fs[2](), fs[3](), c())\n";
    EXPECT_EQ("11\t22\t33\too\n", output(script));
}

TEST_F(FrontendExpressionTest, RenamedRepeatLocalsStillReachTheirClosures) {
    const char* script =
        "n = 0\n"
        "repeat\n"
        "  local n = 5\n"
        "  get = function() return %n end\n"
        "until n == 0\n"
        "print(get(), n)\n";
    EXPECT_EQ("5\t0\n", output(script));
}

TEST_F(FrontendExpressionTest, VarargFunctionsGetArg) {
    const char* script =
        "function g(a, b, ...) return arg.n, arg[1], arg[2] end\n"
        "function h(...) return function() return %arg.n end end\n"
        "a, b, c = g(3, 4, 5, 8)\n"
        "print(a, b, c, g(1), h(7, nil)())\n";
    EXPECT_EQ("2\t5\t8\t0\t2\n", output(script));
}

}  // namespace
