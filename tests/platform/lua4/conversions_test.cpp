// Reading arguments the Lua 4.0 way: lua_tonumber, lua_tostring,
// lua_isnumber, lua_isstring on every kind of value and on missing ones.
#include <string>
#include <vector>

#include "platform/lua4/lua51.h"
#include "platform/lua4/lua_state_fixture.h"

namespace {

struct Reading {
    double number;
    std::optional<std::string> text;
    bool isNumber;
    bool isString;
    int typeAfter;  // Lua 5.1 type of the argument after the reads
};

std::vector<Reading> readings;

// Reads every argument, plus one position past the last.
int probe(lua_State* L) {
    readings.clear();
    int count = lua4::lua_gettop(L);
    for (int i = 1; i <= count + 1; ++i) {
        Reading r;
        r.number = lua4::lua_tonumber(L, i);
        const char* text = lua4::lua_tostring(L, i);
        if (text) r.text = text;
        r.isNumber = lua4::lua_isnumber(L, i) != 0;
        r.isString = lua4::lua_isstring(L, i) != 0;
        r.typeAfter = ::lua_type(L, i);
        readings.push_back(r);
    }
    return 0;
}

class ConversionsTest : public LuaStateTest {
  protected:
    void SetUp() override {
        LuaStateTest::SetUp();
        lua4::lua_register(L, "probe", probe);
    }
};

TEST_F(ConversionsTest, NumbersReadAsNumbersAndAsTheirText) {
    ASSERT_EQ(0, run("probe(12, 2.5, -0.25)"));
    ASSERT_EQ(4u, readings.size());
    EXPECT_EQ(12, readings[0].number);
    EXPECT_EQ("12", readings[0].text);
    EXPECT_EQ("2.5", readings[1].text);
    EXPECT_EQ(-0.25, readings[2].number);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(readings[i].isNumber);
        EXPECT_TRUE(readings[i].isString);
        EXPECT_EQ(LUA_TNUMBER, readings[i].typeAfter) << "lua_tostring converted in place";
    }
}

TEST_F(ConversionsTest, NumericStringsConvertDecimalOnly) {
    ASSERT_EQ(0, run("probe('3.5', ' 7 ', '1e2', '-.5', '0x10', '12abc', '', 'inf', '1e')"));
    double expected[] = {3.5, 7, 100, -0.5, 0, 0, 0, 0, 0};
    bool numeric[] = {true, true, true, true, false, false, false, false, false};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(expected[i], readings[i].number) << "argument " << i + 1;
        EXPECT_EQ(numeric[i], readings[i].isNumber) << "argument " << i + 1;
        EXPECT_TRUE(readings[i].isString);
    }
    EXPECT_EQ("3.5", readings[0].text);
}

TEST_F(ConversionsTest, OtherValuesAndMissingArgumentsReadAsZeroAndNoString) {
    ASSERT_EQ(0, run("probe(nil, {}, probe)"));
    ASSERT_EQ(4u, readings.size());  // the fourth is the missing one
    for (const Reading& r : readings) {
        EXPECT_EQ(0, r.number);
        EXPECT_FALSE(r.text.has_value());
        EXPECT_FALSE(r.isNumber);
        EXPECT_FALSE(r.isString);
    }
}

TEST_F(ConversionsTest, NumberTextOutlivesFurtherConversions) {
    const char* first = nullptr;
    lua4::lua_pushnumber(L, 42);
    first = lua4::lua_tostring(L, -1);
    for (int i = 0; i < 20; ++i) {
        lua4::lua_pushnumber(L, i + 0.5);
        lua4::lua_tostring(L, -1);
        lua4::lua_settop(L, -2);
    }
    ::lua_gc(L, LUA_GCCOLLECT, 0);
    EXPECT_STREQ("42", first);
    lua4::lua_settop(L, 0);
}

TEST_F(ConversionsTest, NegativeIndicesCountFromTheTop) {
    lua4::lua_pushstring(L, "5");
    lua4::lua_pushnumber(L, 9);
    EXPECT_EQ(5, lua4::lua_tonumber(L, -2));
    EXPECT_STREQ("9", lua4::lua_tostring(L, -1));
    EXPECT_EQ(0, lua4::lua_tonumber(L, -3));
    EXPECT_EQ(nullptr, lua4::lua_tostring(L, -3));
    lua4::lua_settop(L, 0);
}

}  // namespace
