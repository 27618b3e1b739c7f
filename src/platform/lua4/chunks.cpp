// Running chunks as Lua 4.0 does: compile, run protected, report any error
// through _ERRORMESSAGE, leave the results on the stack.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/files/regular_file.h"
#include "platform/lua4/errors.h"
#include "platform/lua4/lib/chunk_binding.h"
#include "platform/lua4/lua4.h"
#include "platform/lua4/memory_budget.h"
#include "platform/lua4/translation.h"

namespace lua4 {

namespace {

bool isPrecompiled(std::string_view text) {
    return !text.empty() && text[0] == LUA_SIGNATURE[0];
}

// Reports a failure found before the chunk could run; returns status.
int reportLoadFailure(lua_State* L, const std::string& message, int status) {
    return reportErrorMessage(L, message.c_str()) ? status : ERRERR;
}

// Memory errors never reach an error function in Lua 5.1; they are
// reported here, once the failed run has let go of the stack.
int reportMemoryFailure(lua_State* L) {
    return reportMemoryError(L) ? ERRMEM : ERRERR;
}

// Compiles translated source; on success the script's function is on the
// stack.
int compile(lua_State* L, const std::string& source, const std::string& chunkName) {
    int status = ::luaL_loadbuffer(L, source.data(), source.size(), chunkName.c_str());
    if (status == 0) status = bindChunk40(L);
    if (status == 0) return 0;
    std::string message = ::lua_tolstring(L, -1, nullptr);
    popValues(L, 1);
    if (status == LUA_ERRMEM) return reportMemoryFailure(L);
    return reportLoadFailure(L, message, ERRSYNTAX);
}

// Runs the compiled chunk on top of the stack under errorHandler.
int runCompiled(lua_State* L) {
    int function = ::lua_gettop(L);
    ::lua_pushcclosure(L, errorHandler, 0);
    ::lua_insert(L, function);
    int status = ::lua_pcall(L, 0, LUA_MULTRET, function);
    if (status != 0 && status != LUA_ERRMEM && isHandlerFailure(L, -1)) status = ERRERR;
    if (status != 0) popValues(L, 1);
    ::lua_remove(L, function);
    return status == LUA_ERRMEM ? reportMemoryFailure(L) : status;
}

// Translates, compiles and runs. chunkName is in Lua 5.1's form, for its
// messages; shownName names the chunk in the layer's own messages.
int runChunk(lua_State* L, std::string_view text, const std::string& chunkName,
             const std::string& shownName) {
    if (isPrecompiled(text))
        return reportLoadFailure(L, shownName + ": precompiled chunks are not supported",
                                 ERRSYNTAX);
    std::string source, error;
    int status = translateChunk(text, shownName.c_str(), memoryLimitOf(L), source, error);
    if (status == ERRMEM) return reportMemoryFailure(L);
    if (status != 0) return reportLoadFailure(L, error, status);
    status = compile(L, source, chunkName);
    return status != 0 ? status : runCompiled(L);
}

// Only a regular file is read (a FIFO is never waited on), and no more than
// a script could ever be.
bool readWholeFile(const char* filename, std::string& contents) {
    constexpr std::size_t kLargestScript = 256u << 20;
    std::FILE* file = openRegularFile(filename);
    if (!file) return false;
    char block[65536];
    std::size_t count;
    while (contents.size() <= kLargestScript &&
           (count = std::fread(block, 1, sizeof block, file)) > 0)
        contents.append(block, count);
    bool ok = !std::ferror(file) && contents.size() <= kLargestScript;
    std::fclose(file);
    return ok;
}

// A first line starting with '#' (as in "#!/usr/bin/lua") is not Lua; it
// becomes a comment, so line numbers stay as they are.
void commentOutHashLine(std::string& source) {
    if (!source.empty() && source[0] == '#') source.insert(0, "--");
}

}  // namespace

int lua_dofile(lua_State* L, const char* filename) {
    std::string source;
    if (!filename || !readWholeFile(filename, source)) {
        std::string name = filename ? filename : "(null)";
        return reportLoadFailure(L, "cannot read " + name, ERRFILE);
    }
    commentOutHashLine(source);
    return runChunk(L, source, std::string("@") + filename, filename);
}

int lua_dostring(lua_State* L, const char* text) {
    if (!text) text = "";
    return runChunk(L, text, text, "string");
}

int lua_dobuffer(lua_State* L, const char* buffer, std::size_t size, const char* name) {
    std::string shownName = name ? name : "?";
    return runChunk(L, std::string_view(buffer, size), "=" + shownName, shownName);
}

}  // namespace lua4
