// Tags and tag methods as Lua 5.1 metatables carry them: user tags on
// tables, the built-in tags of nil and strings, getglobal and setglobal on
// the nil tag, and the refusals where 5.1 has no counterpart.
#include "platform/lua4/lib4_script_fixture.h"

namespace {

using TagMethodsTest = Script40Test;

TEST_F(TagMethodsTest, BuiltInAndNewTags) {
    EXPECT_EQ("1\t2\t3\t4\t5\n6\t7\t1\t4\n",
              output("print(tag(nil), tag(1), tag('s'), tag({}), tag(print))\n"
                     "a = newtag() b = newtag() t = settag({}, a)\n"
                     "print(a, b, tag(t) == a, tag(settag(t, tag({}))))"));
}

TEST_F(TagMethodsTest, IndexMethodGivesInheritance) {
    const char* script =
        "Class = newtag()\n"
        "Base = {greet = function(self) return 'hi ' .. self.name end}\n"
        "settagmethod(Class, 'index', function(t, k) return %Base[k] end)\n"
        "obj = settag({name = 'bob'}, Class)\n"
        "print(obj:greet(), obj.name, rawget(obj, 'greet'))\n";
    EXPECT_EQ("hi bob\tbob\tnil\n", output(script));
}

TEST_F(TagMethodsTest, OperatorMethodsOnTaggedTables) {
    const char* script =
        "T = newtag()\n"
        "a = settag({v = 'a'}, T) b = settag({v = 'b'}, T)\n"
        "settagmethod(T, 'add', function(x, y) return x.v .. '+' .. y.v end)\n"
        "settagmethod(T, 'concat', function(x, y) return 'cat' end)\n"
        "settagmethod(T, 'lt', function(x, y) return x.v < y.v end)\n"
        "settagmethod(T, 'unm', function(x, y) return type(y) end)\n"
        "settagmethod(T, 'function', function(self, n) return 'called ' .. n end)\n"
        "settagmethod(T, 'settable', function(t, k, v) rawset(t, k, v * 2) end)\n"
        "a.w = 4\n"
        "print(a + b, a .. b, a < b, b < a, a <= b, -a, a(7), a.w)\n";
    EXPECT_EQ("a+b\tcat\t1\tnil\t1\tnil\tcalled 7\t8\n", output(script));
}

TEST_F(TagMethodsTest, GetglobalAndSetglobalOnTheNilTag) {
    const char* script =
        "settagmethod(tag(nil), 'getglobal', function(name, v) return 'undefined ' .. name end)\n"
        "print(nothing_here)\n"
        "old = settagmethod(tag(nil), 'getglobal', nil)\n"
        "print(type(old), nothing_here)\n"
        "settagmethod(tag(nil), 'setglobal', function(n, old, new) rawset(globals(), n, new * 2) "
        "end)\n"
        "doubled = 21 doubled = 5\n"
        "settagmethod(tag(nil), 'setglobal', nil)\n"
        "plain = 1\n"
        "print(doubled, plain)\n";
    EXPECT_EQ("undefined nothing_here\nfunction\tnil\n5\t1\n", output(script));
}

TEST_F(TagMethodsTest, MethodsOnBuiltInTypes) {
    EXPECT_EQ("nil+1\tx!\n",
              output("settagmethod(tag(nil), 'add', function(a, b) return 'nil+' .. b end)\n"
                     "settagmethod(tag(''), 'function', function(s, x) return s .. x end)\n"
                     "s = 'x' print(nil + 1, s('!'))"));
}

TEST_F(TagMethodsTest, GetAndCopyMethods) {
    const char* script =
        "A = newtag() B = newtag()\n"
        "f = function(x, y) return 'sum' end\n"
        "print(settagmethod(A, 'add', f), gettagmethod(A, 'add') == f, gettagmethod(B, 'add'))\n"
        "print(copytagmethods(B, A) == B, gettagmethod(B, 'add') == f)\n"
        "print(settag({}, B) + 1)\n";
    EXPECT_EQ("nil\t1\tnil\n1\t1\nsum\n", output(script));
}

TEST_F(TagMethodsTest, WhatMetatablesCannotCarryIsRefused) {
    collectReports();
    EXPECT_EQ(lua4::ERRRUN, run("settagmethod(tag({}), 'index', print)"));
    EXPECT_EQ(lua4::ERRRUN, run("settagmethod(newtag(), 'getglobal', print)"));
    EXPECT_EQ(lua4::ERRRUN, run("settagmethod(tag(nil), 'gc', print)"));
    EXPECT_EQ(lua4::ERRRUN, run("settagmethod(tag(nil), 'nonsense', print)"));
    EXPECT_EQ(lua4::ERRRUN, run("settagmethod(999, 'add', print)"));
    EXPECT_EQ(lua4::ERRRUN, run("settag({}, tag(1))"));
    EXPECT_EQ(
        "['index' tag methods for tag 4 are not supported]"
        "['getglobal' tag methods for tag 6 are not supported]"
        "[bad argument #2 to 'settagmethod' (cannot set a 'gc' tag method from Lua)]"
        "[bad argument #2 to 'settagmethod' (invalid event name)]"
        "[bad argument #1 to 'settagmethod' (invalid tag)]"
        "[bad argument #2 to 'settag' (tag cannot be given to a table)]",
        global("reports"));
}

}  // namespace
