// lua_error and Lua's own errors: every one goes through _ERRORMESSAGE
// once, ends the chunk, and makes the run fail.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/lua4/lua_state_fixture.h"

namespace {

int failWithMessage(lua_State* L) {
    lua4::lua_error(L, "Invalid layer id for 'start'");
}
int failSilently(lua_State* L) {
    lua4::lua_error(L, nullptr);
}

class ErrorsTest : public LuaStateTest {
  protected:
    void SetUp() override {
        LuaStateTest::SetUp();
        lua4::lua_register(L, "fail", failWithMessage);
        lua4::lua_register(L, "failsilently", failSilently);
        collectErrorReports();
    }
};

TEST_F(ErrorsTest, LuaErrorReportsThroughTheScriptsHandlerAndEndsTheRun) {
    EXPECT_EQ(lua4::ERRRUN, run("before = 1\nfail()\nafter = 1"));
    EXPECT_EQ(1, number("before"));
    EXPECT_FALSE(text("after").has_value());
    EXPECT_EQ("Invalid layer id for 'start'\n", text("reports"));
}

TEST_F(ErrorsTest, LuaErrorEndsTheWholeRunFromInsideNestedFunctions) {
    EXPECT_NE(0, run("function f() fail() end\nfunction g() f() reached = 1 end\ng()\nafter = 1"));
    EXPECT_FALSE(text("reached").has_value());
    EXPECT_FALSE(text("after").has_value());
    EXPECT_EQ("Invalid layer id for 'start'\n", text("reports"));
}

TEST_F(ErrorsTest, NullMessageSkipsTheHandler) {
    EXPECT_NE(0, run("failsilently()\nafter = 1"));
    EXPECT_FALSE(text("after").has_value());
    EXPECT_EQ("", text("reports"));
}

TEST_F(ErrorsTest, ScriptErrorFunctionPassesTheMessageUnchanged) {
    EXPECT_EQ(lua4::ERRRUN, run("error('boom')\nafter = 1"));
    EXPECT_EQ("boom\n", text("reports"));
    EXPECT_FALSE(text("after").has_value());
}

TEST_F(ErrorsTest, RuntimeAndSyntaxErrorsAreReportedOnceWithTheChunkName) {
    EXPECT_EQ(lua4::ERRRUN, run("x = 1\ny = nil + 1", "script.lua"));
    EXPECT_EQ(0u, text("reports")->find("script.lua:2:")) << *text("reports");
    ASSERT_EQ(0, run("reports = ''"));
    EXPECT_EQ(lua4::ERRSYNTAX, run("x = = 1", "script.lua"));
    std::string reports = *text("reports");
    EXPECT_EQ(0u, reports.find("script.lua:1:")) << reports;
    EXPECT_EQ(1, std::count(reports.begin(), reports.end(), '\n'));
}

TEST_F(ErrorsTest, FailingHandlerGivesErrErr) {
    ASSERT_EQ(0, run("function _ERRORMESSAGE(m) error_in_handler() end"));
    EXPECT_EQ(lua4::ERRERR, run("fail()"));
    EXPECT_EQ(lua4::ERRERR, run("x = nil + 1"));
}

TEST_F(ErrorsTest, NilHandlerReportsNothingButStillFails) {
    ASSERT_EQ(0, run("_ERRORMESSAGE = nil"));
    EXPECT_EQ(lua4::ERRRUN, run("fail()"));
}

TEST_F(ErrorsTest, DefaultHandlerAlertsOnStandardError) {
    lua4::lua_close(L);
    L = lua4::lua_open(0);
    lua4::lua_baselibopen(L);
    lua4::lua_register(L, "fail", failWithMessage);
    testing::internal::CaptureStderr();
    EXPECT_NE(0, run("fail()"));
    EXPECT_EQ("error: Invalid layer id for 'start'\n", testing::internal::GetCapturedStderr());
}

TEST_F(ErrorsTest, DefaultHandlerGoesThroughTheCurrentAlert) {
    ASSERT_EQ(0, run("_ERRORMESSAGE = nil"));
    lua4::lua_baselibopen(L);
    ASSERT_EQ(0, run("alerts = ''\nfunction _ALERT(m) alerts = alerts .. m end"));
    EXPECT_NE(0, run("fail()"));
    EXPECT_EQ("error: Invalid layer id for 'start'\n", text("alerts"));
}

TEST_F(ErrorsTest, StateStaysUsableAfterErrors) {
    for (int i = 0; i < 100; ++i) ASSERT_NE(0, run("fail()"));
    EXPECT_EQ(0, run("ok = 1"));
    EXPECT_EQ(1, number("ok"));
}

TEST(LuaErrorOutsideAChunk, EndsTheProcessWithFailure) {
    EXPECT_EXIT(
        {
            lua_State* L = lua4::lua_open(0);
            lua4::lua_error(L, "outside");
        },
        testing::ExitedWithCode(EXIT_FAILURE), "");
}

// The handler is looked up without tag methods: one that fails would
// otherwise take the process down from outside any protected call.
TEST_F(ErrorsTest, AFailingGetglobalTagMethodCannotTakeTheProcessDown) {
    EXPECT_EQ(0, run("settagmethod(tag(nil), 'getglobal', function(name) error('no') end)\n"
                     "_ERRORMESSAGE = nil"));
    EXPECT_EQ(lua4::ERRSYNTAX, run("x = = 1"));
}

}  // namespace
