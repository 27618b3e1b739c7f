#include "platform/lua4/translation.h"

#include <utility>

#include "platform/lua4/frontend/translate.h"

namespace lua4 {

// The 4.0 front end; its output still needs bindChunk40 once compiled.
bool translateChunk(std::string_view source, const char* chunkName, std::string& translated,
                    std::string& error) {
    frontend::Translation result = frontend::translateChunk40(source, chunkName ? chunkName : "?");
    if (!result.ok) {
        error = std::move(result.error);
        return false;
    }
    translated = std::move(result.source);
    return true;
}

}  // namespace lua4
