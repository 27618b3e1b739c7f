// The 4.0 base library through the real host: what scripts can see, the
// error functions, call, dofile/dostring, the table functions and the value
// conversions, with the results 4.0 gives.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/lua4/lib4_script_fixture.h"

namespace {

using BaseLibraryTest = Script40Test;

TEST_F(BaseLibraryTest, ScriptsSeeOnlyTheFourZeroNames) {
    EXPECT_EQ("Lua 4.0\n", output("print(_VERSION)"));
    const char* names[] = {"table",      "string", "math",    "io",           "os",
                           "pairs",      "ipairs", "unpack",  "select",       "pcall",
                           "loadstring", "_G",     "getfenv", "setmetatable", "require",
                           "coroutine",  "gcinfo", "rawequal"};
    for (const char* name : names) {
        EXPECT_EQ("nil\n", output(std::string("print(") + name + ")")) << name;
    }
    EXPECT_EQ("1\t2\n", output("table = 1 pairs = 2 print(table, pairs)"));
}

TEST_F(BaseLibraryTest, TypeNeverSaysBoolean) {
    EXPECT_EQ("number\tnil\tnumber\tstring\ttable\tfunction\n",
              output("print(type(1 < 2), type(1 > 2), type(not nil), type(''), type({}), "
                     "type(print))"));
}

TEST_F(BaseLibraryTest, NumbersPrintWithFourteenDigits) {
    EXPECT_EQ("9.3\t1e+100\t0.1\t0.33333333333333\t1e+14\t-0\t12.75\n",
              output("print(9.3, 1e100, 0.1, 1/3, 100000000000000, -0, 12.75)"));
    EXPECT_EQ("<number>\t<nil>\n",
              output("function tostring(v) return '<' .. type(v) .. '>' end print(1, nil)"));
}

TEST_F(BaseLibraryTest, TonumberDecimalAndOtherBases) {
    EXPECT_EQ("10\t255\t1.5\tnil\t12\tnil\t-5\tnil\t35\n",
              output("print(tonumber('10'), tonumber('ff', 16), tonumber('1.5', 10),\n"
                     "  tonumber('0x10'), tonumber(' 12 '), tonumber('1.5', 16),\n"
                     "  tonumber('-5'), tonumber('inf'), tonumber('Z', 36))"));
}

TEST_F(BaseLibraryTest, AssertAndErrorReportTheirMessageUnchanged) {
    collectReports();
    EXPECT_EQ("nil\n", output("x = assert(1) print(x)"));
    EXPECT_EQ(lua4::ERRRUN, run("assert(nil, 'layer list empty')"));
    EXPECT_EQ(lua4::ERRRUN, run("assert(nil)"));
    EXPECT_EQ(lua4::ERRRUN, run("error('plain')"));
    EXPECT_EQ(lua4::ERRRUN, run("error()"));
    EXPECT_EQ("[assertion failed!  layer list empty][assertion failed!  ][plain]",
              global("reports"));
}

TEST_F(BaseLibraryTest, CallPassesTheArgumentTableAndReturnsAllResults) {
    EXPECT_EQ("7\t12\n3\tnil\n",
              output("print(call(function(a, b) return a + b, a * b end, {3, 4}))\n"
                     "print(call(function(...) return arg.n, arg[2] end, {1; n = 3}))"));
}

TEST_F(BaseLibraryTest, CallModesAndHandlers) {
    collectReports();
    const char* script =
        "r1 = call(function() error('caught') end, {}, 'x')\n"
        "r2 = call(function() error('own') end, {}, 'x',\n"
        "          function(m) reports = reports .. '<' .. m .. '>' end)\n"
        "r3 = call(function() error('quiet') end, {}, 'x', nil)\n"
        "print(r1, r2, r3, _ERRORMESSAGE ~= nil)\n";
    EXPECT_EQ("nil\tnil\tnil\t1\n", output(script));
    EXPECT_EQ("[caught]<own>", global("reports"));
    EXPECT_EQ(lua4::ERRRUN, run("call(function() error('spreads') end, {})\nafter = 1"));
    EXPECT_EQ("[caught]<own>[spreads]", global("reports"));
    EXPECT_EQ("(not a string)", global("after"));
}

TEST_F(BaseLibraryTest, DostringAndDofileReturnResultsOrNil) {
    collectReports();
    EXPECT_EQ("1\t2\n1\nnil\tnil\n",
              output("print(dostring('return 1, 2'))\nprint(dostring('x = 1'))\n"
                     "print(dostring('x = = 1'), dostring(\"error('e')\", 'chunky'))"));
    EXPECT_EQ("[string:1: unexpected symbol near '='][e]", global("reports"));
    EXPECT_EQ("nil\n", output("print(dostring('y = nil + 1', 'named'))"));
    EXPECT_NE(std::string::npos, global("reports").find("[named:1:"));

    std::string path = testing::TempDir() + "lib4_dofile.lua";
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_TRUE(file);
    std::fputs("loaded = (loaded or 0) + 1\nreturn loaded * 10\n", file);
    std::fclose(file);
    EXPECT_EQ("10\t20\n", output("a = dofile('" + path + "') print(a, dofile('" + path + "'))"));
    EXPECT_EQ("nil\n", output("print(dofile('" + path + ".missing'))"));
}

TEST_F(BaseLibraryTest, GetnUsesTheNFieldOrTheLargestNumericKey) {
    EXPECT_EQ("5\t5\t0\t2\t3\n",
              output("print(getn({n = 5}), getn({[1] = 10, [5] = 50}), getn({}),\n"
                     "  getn({1, 2; n = 'x'}), getn({[2.5] = 1, [3] = 1, [-7] = 1}))"));
}

TEST_F(BaseLibraryTest, TinsertAndTremoveKeepN) {
    const char* script =
        "l = {}\n"
        "tinsert(l, 'a') tinsert(l, 'b') tinsert(l, 1, 'z')\n"
        "print(l.n, l[1], l[2], l[3])\n"
        "print(tremove(l), l.n, tremove(l, 1), l.n, l[1], l[2])\n"
        "print(tremove({}))\n"
        "short = {1, 2, 3; n = 1}\n"
        "tinsert(short, 'x')\n"
        "print(short.n, short[2], short[3])\n";
    EXPECT_EQ("3\tz\ta\tb\nb\t2\tz\t1\ta\tnil\n\n2\tx\t3\n", output(script));
}

TEST_F(BaseLibraryTest, ForeachAndForeachiStopAtAValue) {
    EXPECT_EQ("1\t1\n2\tnil\n3\t3\na1\n2\n",
              output("foreachi({1, nil, 3; n = 3}, print)\n"
                     "print(foreach({a = 1}, function(k, v) return k .. v end))\n"
                     "print(foreachi({5, 6, 7}, function(i, v) if v == 6 then return i end end))"));
}

TEST_F(BaseLibraryTest, SortOrdersPositionsOneToN) {
    const char* script =
        "s = {5, 2, 8, 1; n = 3} sort(s) print(s[1], s[2], s[3], s[4])\n"
        "w = {'b', 'c', 'a'} sort(w, function(a, b) return a > b end) print(w[1], w[2], w[3])\n"
        "r = {3, 1, 2, 5, 4} sort(r, function(a, b) return 1 end) print(getn(r))\n"
        "big = {} for i = 1, 200 do big[i] = mod(i * 37, 101) end sort(big)\n"
        "ok = 1 for i = 2, 200 do if big[i - 1] > big[i] then ok = nil end end print(ok)\n";
    EXPECT_EQ("2\t5\t8\t1\nc\tb\ta\n5\n1\n", output(script));
    collectReports();
    EXPECT_EQ(lua4::ERRRUN, run("sort({1, 'x', {}})"));
}

TEST_F(BaseLibraryTest, RawAccessNextAndGlobals) {
    const char* script =
        "t = {}\n"
        "rawset(t, 'k', 'v')\n"
        "print(rawget(t, 'k'), next(t), next(t, 'k'), next({}))\n"
        "setglobal('odd name', 3)\n"
        "print(getglobal('odd name'), getglobal('print') == print)\n"
        "g = globals() print(g.t == t, g._VERSION)\n";
    EXPECT_EQ("v\tk\tnil\tnil\n3\t1\n1\tLua 4.0\n", output(script));
}

TEST_F(BaseLibraryTest, GlobalsCanBeReplaced) {
    const char* script =
        "local print = print\n"
        "local new = {marker = 'new', tostring = tostring}\n"
        "old = globals(new)\n"
        "print(marker, old.marker, old ~= new)\n"
        "marker2 = 1\n"
        "print(new.marker2, old.marker2)\n";
    EXPECT_EQ("new\tnil\t1\n1\tnil\n", output(script));
}

TEST_F(BaseLibraryTest, CollectgarbageRuns) {
    EXPECT_EQ("ok\n", output("collectgarbage() collectgarbage(100000) print('ok')"));
}

TEST_F(BaseLibraryTest, BadArgumentsAreScriptErrors) {
    collectReports();
    const char* calls[] = {"getn(1)",    "tinsert(nil, 1)",    "sort({}, 3)",    "foreach({}, 1)",
                           "next(1)",    "rawset({}, nil, 1)", "call(print, 1)", "dofile({})",
                           "tonumber()", "tonumber('1', 1)",   "type()",         "settag(1, 1)"};
    for (const char* call : calls) EXPECT_EQ(lua4::ERRRUN, run(call)) << call;
    std::string reports = global("reports");
    EXPECT_EQ(12, std::count(reports.begin(), reports.end(), '[')) << reports;
}

}  // namespace
