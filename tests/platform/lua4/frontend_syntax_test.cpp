// The front end's reading of 4.0 lexis and grammar: numerals, escapes,
// comments, syntax errors with the script's line numbers, line numbers kept
// in the output, and bad input that must not bring it down.
#include <algorithm>
#include <string>

#include "platform/lua4/lib4_script_fixture.h"

namespace {

using lua4::frontend::translateChunk40;

// The line a syntax error is reported on; 0 when the chunk translates.
int errorLine(const std::string& script) {
    auto translation = translateChunk40(script, "script.lua");
    return translation.ok ? 0 : translation.errorLine;
}

using FrontendSyntaxTest = Script40Test;

TEST_F(FrontendSyntaxTest, NumeralsAndEscapes) {
    EXPECT_EQ("3\t3\t3.1416\t3.1416\t3.1416\t0.5\n",
              output("print(3, 3.0, 3.1416, 314.16e-2, 0.31416E1, .5)"));
    EXPECT_EQ("ABC1\tq\t\"'\\\n", output("print('\\65\\066\\0671', '\\q', \"\\\"\\'\\\\\")"));
    EXPECT_EQ("a\nb\t7\n", output("print('a\\\nb', 7)"));
    EXPECT_EQ("\a\b\f\n\r\t\v\n", output("print('\\a\\b\\f\\n\\r\\t\\v')"));
    std::string zero = output("print('x\\0y')");
    EXPECT_EQ(std::string("x\0y\n", 4), zero);
}

TEST_F(FrontendSyntaxTest, LexicalErrorsNameTheirLine) {
    EXPECT_EQ(2, errorLine("x = 1\ny = 1..2"));
    EXPECT_EQ(2, errorLine("x = 1\ny = 3e"));
    EXPECT_EQ(1, errorLine("x = 'unfinished\ny = 2"));
    EXPECT_EQ(3, errorLine("x = 1\n\ny = '\\300'"));
    EXPECT_EQ(3, errorLine("s = [[a\nb\nc"));
    EXPECT_EQ(2, errorLine("x = 1\ny = \x01"));
    EXPECT_EQ(1, errorLine("x = 0x10"));
    EXPECT_EQ(1, errorLine("x = a ~ b"));
}

TEST_F(FrontendSyntaxTest, GrammarErrorsNameTheirLine) {
    EXPECT_EQ(2, errorLine("x = 1\nfor i = 1 do end"));
    EXPECT_EQ(1, errorLine("break"));
    EXPECT_EQ(3, errorLine("function f()\n return 1\n x = 2\nend"));
    EXPECT_EQ(1, errorLine("t = {1; 2}"));
    EXPECT_EQ(1, errorLine("t = {1, x = 2}"));
    EXPECT_EQ(1, errorLine("function a.b.c() end"));
    EXPECT_EQ(1, errorLine("local function f() end"));
    EXPECT_EQ(1, errorLine("function f(...) return ... end"));
    EXPECT_EQ(1, errorLine("for k, v, w in t do end"));
    EXPECT_EQ(1, errorLine("f() = 1"));
    EXPECT_EQ(1, errorLine("x"));
    EXPECT_EQ(1, errorLine("x = (a).b"));
    EXPECT_EQ(4, errorLine("if x then\n y = 1\nelse\n"));
    EXPECT_EQ(0, errorLine("t = {x = 1, ['y'] = 2,; 3, 4,}; return t;"));
    EXPECT_EQ(0, errorLine("a=3x=4 f{1}f'x'f[[y]]"));
}

TEST_F(FrontendSyntaxTest, SyntaxErrorsGoThroughTheHandlerWithTheLine) {
    collectReports();
    EXPECT_EQ(lua4::ERRSYNTAX, run("x = 1\n\nwhile x do\n", "demo.lua"));
    EXPECT_EQ("[demo.lua:4: 'end' expected (to close 'while' at line 3) near '<eof>']",
              global("reports"));
}

TEST_F(FrontendSyntaxTest, RunTimeErrorsNameTheScriptsLine) {
    collectReports();
    const char* script =
        "local t = {\n"
        "  1,\n"
        "  2 }\n"
        "s = [[a\n"
        "b]] f = function() return %t end\n"
        "if t[1] < 2 and\n"
        "   s then x = s .. 'c' end\n"
        "y = x .. nil\n";
    EXPECT_EQ(lua4::ERRRUN, run(script));
    EXPECT_EQ(0u, global("reports").find("[script.lua:8:")) << global("reports");
}

// Each statement of the translation sits on the line it has in the script.
TEST_F(FrontendSyntaxTest, StatementsKeepTheirLines) {
    std::string script =
        "a = 1\n"
        "s = 'x\\\ny' b = 2\n"
        "c = [[\n\n]] d = {\n44;\nnn = 1}\n"
        "function g(p) return function() return %p end\n"
        "end e = 5\n"
        "for k, v in d do f = 6 end\n"
        "repeat local h = 1 until h\n";
    auto translation = translateChunk40(script, "script.lua");
    ASSERT_TRUE(translation.ok) << translation.error;
    const std::string& out = translation.source;
    auto lineOf = [&](const std::string& text) {
        std::size_t at = out.find(text);
        return at == std::string::npos
                   ? -1
                   : 1 + static_cast<int>(std::count(out.begin(), out.begin() + at, '\n'));
    };
    EXPECT_EQ(1, lineOf("a = 1"));
    EXPECT_EQ(3, lineOf("b = 2"));
    EXPECT_EQ(6, lineOf("d = {"));
    EXPECT_EQ(7, lineOf("44"));
    EXPECT_EQ(8, lineOf("nn = 1"));
    EXPECT_EQ(9, lineOf("g = "));
    EXPECT_EQ(10, lineOf("e = 5"));
    EXPECT_EQ(11, lineOf("f = 6"));
    EXPECT_EQ(12, lineOf("until"));
    EXPECT_EQ(12, lineOf("h = 1"));
}

TEST_F(FrontendSyntaxTest, HashFirstLineAndWindowsLineEnds) {
    EXPECT_EQ("1\n", output("#!/usr/bin/lua\nprint(1)"));
    EXPECT_EQ(3, errorLine("#!/usr/bin/lua\r\nx = 1\r\ny = = 2\r\n"));
    EXPECT_EQ("a\nb\t2\n", output("s = [[a\r\nb]]\r\nprint(s, 2)\r\n"));
}

TEST_F(FrontendSyntaxTest, DeepNestingIsRefusedNotFatal) {
    std::string parens = "x = " + std::string(5000, '(') + "1" + std::string(5000, ')');
    EXPECT_NE(0, errorLine(parens));
    std::string blocks;
    for (int i = 0; i < 5000; ++i) blocks += "do ";
    EXPECT_NE(0, errorLine(blocks));
    std::string tables = "x = " + std::string(5000, '{');
    EXPECT_NE(0, errorLine(tables));
    std::string sum = "x = 1";
    for (int i = 0; i < 100000; ++i) sum += " + 1";
    EXPECT_NE(0, errorLine(sum));
    std::string unary = "x = " + std::string(20000, '-') + "1";
    EXPECT_NE(0, errorLine(unary));
}

TEST_F(FrontendSyntaxTest, ModerateNestingStillRuns) {
    std::string sum = "x = 0";
    for (int i = 0; i < 150; ++i) sum += " + 1";
    EXPECT_EQ("150\n", output(sum + "\nprint(x)"));
    std::string nested = "x = " + std::string(40, '(') + "2" + std::string(40, ')');
    EXPECT_EQ("2\n", output(nested + "\nprint(x)"));
}

}  // namespace
