#include "platform/lua4/translation.h"

#include <utility>

#include "platform/lua4/frontend/translate.h"
#include "platform/lua4/lua4.h"

namespace lua4 {

// The 4.0 front end; its output still needs bindChunk40 once compiled.
int translateChunk(std::string_view source, const char* chunkName, std::size_t memoryLimit,
                   std::string& translated, std::string& error) {
    frontend::Translation result =
        frontend::translateChunk40(source, chunkName ? chunkName : "?", {}, memoryLimit);
    if (!result.ok) {
        error = std::move(result.error);
        return result.outOfMemory ? ERRMEM : ERRSYNTAX;
    }
    translated = std::move(result.source);
    return 0;
}

}  // namespace lua4
