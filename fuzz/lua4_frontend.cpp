// Fuzzes the Lua 4.0 front end with arbitrary script text. Any input must
// give a translation or a syntax error, never a crash or a hang; and every
// translation must be Lua 5.1 that compiles, unless it runs into one of
// Lua 5.1's own size limits.
//
// Depth is where a translator breaks, and mutation alone rarely grows an
// input to the tens of thousands of tokens that take: an input of the form
// HEAD \0 BODY \0 C TAIL is also translated as HEAD, then BODY repeated
// 2^(C % 18) times, then TAIL (at most maxScript bytes in all). So
// "y = x\0[1]\0\x11" stands for a chain of 131072 suffixes. Run it with
// -dict=fuzz/lua4.dict and a -max_len of a few megabytes; the syntax tree
// may take treeBudget bytes, so that such inputs stay within the fuzzer's
// memory limit and the refusal of larger trees is exercised too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include <lua.hpp>

#include "platform/lua4/frontend/translate.h"

namespace {

constexpr std::size_t maxScript = std::size_t{1} << 20;
constexpr int maxDoublings = 18;
constexpr std::size_t treeBudget = std::size_t{256} << 20;

bool isLua51Limit(const char* message) {
    for (const char* limit :
         {"too many", "more than", "too complex", "overflow", "not enough memory"}) {
        if (std::strstr(message, limit)) return true;
    }
    return false;
}

void checkCompiles(const std::string& source) {
    static lua_State* L = luaL_newstate();
    int status = luaL_loadbuffer(L, source.data(), source.size(), "=fuzz");
    if (status != 0 && !isLua51Limit(lua_tostring(L, -1))) {
        std::fprintf(stderr, "translation does not compile: %s\n%.2000s\n", lua_tostring(L, -1),
                     source.c_str());
        std::abort();
    }
    lua_settop(L, 0);
}

void checkTranslates(std::string_view chunk) {
    lua4::frontend::Translation translation =
        lua4::frontend::translateChunk40(chunk, "fuzz.lua", {}, treeBudget);
    if (translation.ok) checkCompiles(translation.source);
}

// HEAD, BODY repeated, TAIL; nothing when the input does not have that form.
std::optional<std::string> repeatedBody(std::string_view input) {
    std::size_t first = input.find('\0');
    if (first == std::string_view::npos) return std::nullopt;
    std::size_t second = input.find('\0', first + 1);
    if (second == std::string_view::npos || second + 1 >= input.size()) return std::nullopt;
    std::string_view head = input.substr(0, first);
    std::string_view body = input.substr(first + 1, second - first - 1);
    auto count = std::size_t{1} << (static_cast<unsigned char>(input[second + 1]) % maxDoublings);
    std::string_view tail = input.substr(second + 2);
    if (!body.empty()) count = std::min(count, maxScript / body.size());
    std::string script(head);
    script.reserve(head.size() + body.size() * count + tail.size());
    for (std::size_t i = 0; i < count; ++i) script += body;
    script += tail;
    return script;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    checkTranslates(input);
    if (std::optional<std::string> script = repeatedBody(input)) checkTranslates(*script);
    return 0;
}
