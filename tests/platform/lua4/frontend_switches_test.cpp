// One test per dialect difference: the 4.0 reading with the switch on (the
// exact output Lua 4.0 gives), and the Lua 5.1 reading with it off.
#include <algorithm>

#include "platform/lua4/lib4_script_fixture.h"

namespace {

using lua4::frontend::DialectSwitches;

class DialectSwitchTest : public Script40Test {
  protected:
    // The default switches with one of them turned off.
    static DialectSwitches without(bool DialectSwitches::*field) {
        DialectSwitches switches;
        switches.*field = false;
        return switches;
    }
};

TEST_F(DialectSwitchTest, TrueAndFalseAreOrdinaryNames) {
    const char* script =
        "print(true, false)\n"
        "true = 1 false = nil\n"
        "print(true, false, type(true), getglobal('true'))\n"
        "local t = {true = 2}\n"
        "local false = 'local'\n"
        "o = {v = 2}\n"
        "function o:true(x) return self.v + x end\n"
        "up = function() return %true end\n"
        "print(t.true, t['true'], false, o:true(5), up())\n";
    EXPECT_EQ("nil\tnil\n1\tnil\tnumber\t1\n2\t2\tlocal\t7\t1\n", output(script));
    EXPECT_EQ(LUA_ERRSYNTAX, runWith(without(&DialectSwitches::trueFalseAsNames), "true = 1"));
}

TEST_F(DialectSwitchTest, ComparisonsAndNotGiveOneOrNil) {
    const char* script =
        "print(1 < 2, 1 > 2, 'x' .. (1 < 2), type(1 < 2), (1 < 2) == 1)\n"
        "print(not nil, not 1, 1 <= 2, 2 >= 3, '0' == 0, {} ~= {})\n"
        "nan = 0 / 0\n"
        "print(nan <= nan, nan >= 1, nan < nan, 1 < 2 < 3)\n"
        "order = ''\n"
        "function f(x) order = order .. x return x end\n"
        "r = f(1) <= f(2)\n"
        "if f(3) >= f(4) then else print(order) end\n";
    EXPECT_EQ("1\tnil\tx1\tnumber\t1\n1\tnil\t1\tnil\tnil\t1\n1\t1\tnil\t1\n1234\n",
              output(script));
    // Lua 5.1's booleans: true is not 1, and cannot be concatenated.
    DialectSwitches plain = without(&DialectSwitches::comparisonsYieldOneOrNil);
    EXPECT_EQ("nil\n", outputWith(plain, "print((1 < 2) == 1)"));
    EXPECT_EQ(LUA_ERRRUN, runWith(plain, "x = 'x' .. (1 < 2)"));
}

TEST_F(DialectSwitchTest, AndOrShareOnePrecedenceLeftToRight) {
    const char* script =
        "f = 1 s = nil\n"
        "x = f and 10 or s and 5 or 1\n"
        "print(x, 1 or nil and nil, nil and 1 or 2)\n"
        "if 1 or nil and nil then print('taken') else print('skipped') end\n";
    EXPECT_EQ("5\tnil\t2\nskipped\n", output(script));
    EXPECT_EQ("10\t1\t2\ntaken\n",
              outputWith(without(&DialectSwitches::andOrOnePrecedence), script));
}

TEST_F(DialectSwitchTest, PercentUpvaluesAreFrozenWhenTheClosureIsMade) {
    const char* script =
        "function make(n)\n"
        "  local f = function() return %n end\n"
        "  n = n + 1\n"
        "  return f\n"
        "end\n"
        "g = 5\n"
        "h = function() return %g end\n"
        "g = 6\n"
        "local t = {x = 1}\n"
        "k = function() %t.x = 3 end\n"
        "k()\n"
        "print(make(1)(), h(), t.x)\n";
    EXPECT_EQ("1\t5\t3\n", output(script));
    // Without 4.0 upvalues `%` is Lua 5.1's modulo.
    EXPECT_EQ("1\n", outputWith(without(&DialectSwitches::percentUpvalues), "print(7 % 3)"));
    EXPECT_EQ(LUA_ERRSYNTAX, runWith(without(&DialectSwitches::percentUpvalues), script));
}

TEST_F(DialectSwitchTest, UpvalueScopingMistakesAreSyntaxErrors) {
    collectReports();
    EXPECT_EQ(lua4::ERRSYNTAX, run("function f(a) return function() return a end end"));
    EXPECT_EQ(lua4::ERRSYNTAX, run("x = %y"));
    EXPECT_EQ(lua4::ERRSYNTAX, run("function f(a) return function() %a = 1 end end"));
    EXPECT_EQ(lua4::ERRSYNTAX,
              run("function f(a) return function() return function() return %a end end end"));
    EXPECT_EQ(0, run("function f(a) return function() local b = %a return b end end"));
    std::string reports = global("reports");
    EXPECT_EQ(4, std::count(reports.begin(), reports.end(), '[')) << reports;
}

TEST_F(DialectSwitchTest, TableForWalksTheTableWithAPrivateNext) {
    const char* script =
        "t = {10, 20}\n"
        "sum = 0\n"
        "next = nil\n"
        "for k, v in t do sum = sum + k * v end\n"
        "function two() return {1}, {2, 3} end\n"
        "for k, v in two() do sum = sum + v end\n"
        "for k, v in {5, 6, 7} do if v == 6 then break end end\n"
        "print(sum)\n";
    EXPECT_EQ("51\n", output(script));
    EXPECT_EQ(LUA_ERRRUN, runWith(without(&DialectSwitches::tableFor), "for k, v in {1} do end"));
}

TEST_F(DialectSwitchTest, EachCallInAListConstructorGivesOneValue) {
    const char* script =
        "function f() return 1, 2, 3 end\n"
        "print(getn({f()}), getn({f(), f()}), getn({f(); n = 9}), getn({(f())}))\n";
    EXPECT_EQ("1\t2\t9\t1\n", output(script));
    EXPECT_EQ("3\t4\t9\t3\n",
              outputWith(without(&DialectSwitches::constructorOneValuePerCall), script));
}

TEST_F(DialectSwitchTest, ConstructorsTakeASemicolonBetweenTheirParts) {
    const char* script =
        "x = {;}\n"
        "y = {'a', 'b',; n = 2,}\n"
        "z = {x = 1; 10, 20}\n"
        "print(getn(x), y.n, y[2], z.x, z[2])\n";
    EXPECT_EQ("0\t2\tb\t1\t20\n", output(script));
    EXPECT_EQ(LUA_ERRSYNTAX, runWith(without(&DialectSwitches::constructorSemicolon), script));
}

TEST_F(DialectSwitchTest, LongStringsNestAndKeepTheirFirstNewline) {
    const char* script =
        "s = [[\n"
        "ab [[c]] d]]\n"
        "print(s)\n"
        "print([[one]] .. [[\n]])\n";
    EXPECT_EQ("\nab [[c]] d\none\n\n", output(script));
    EXPECT_EQ("one\n",
              outputWith(without(&DialectSwitches::nestedLongStrings), "print([[\none]])"));
    EXPECT_EQ(LUA_ERRSYNTAX, runWith(without(&DialectSwitches::nestedLongStrings), script));
}

TEST_F(DialectSwitchTest, DashBracketIsALineComment) {
    const char* script =
        "--[[ a comment to the end of this line only\n"
        "print('visible')\n"
        "--]]\n";
    EXPECT_EQ("visible\n", output(script));
    EXPECT_EQ("", outputWith(without(&DialectSwitches::dashBracketLineComment), script));
}

TEST_F(DialectSwitchTest, UntilDoesNotSeeTheLoopBodysLocals) {
    const char* script =
        "n = 0\n"
        "repeat local done = 1; n = n + 1 until done or n >= 3\n"
        "local m = 0\n"
        "repeat local m = m + 10 until m == 0 or m > 5\n"
        "print(n, m)\n";
    EXPECT_EQ("3\t0\n", output(script));
    EXPECT_EQ("1\t0\n", outputWith(without(&DialectSwitches::repeatUntilScope), script));
}

// Lua 5.1 happens to agree on `^`; the rewrite spells the grouping out.
TEST_F(DialectSwitchTest, PowerBindsAboveUnaryMinusAndToTheRight) {
    const char* script = "x = 2 print(-2^2, 2^3^2, 2^-1, -x^-2, 2*3^2, (2^3)^2)\n";
    EXPECT_EQ("-4\t512\t0.5\t-0.25\t18\t64\n", output(script));
    EXPECT_EQ("-4\t512\t0.5\t-0.25\t18\t64\n",
              outputWith(without(&DialectSwitches::powerPrecedence), script));
}

TEST_F(DialectSwitchTest, ParenthesisedCallsPassOnAllResults) {
    const char* script =
        "function f() return 1, 2 end\n"
        "print((f()))\n"
        "a, b = (f())\n"
        "print(a, b, (f()) + 10)\n";
    EXPECT_EQ("1\t2\n1\t2\t11\n", output(script));
    EXPECT_EQ("1\n1\tnil\t11\n",
              outputWith(without(&DialectSwitches::parenthesisedCallKeepsResults), script));
}

}  // namespace
