#include "platform/lua4/frontend/translate.h"

#include <new>

#include "platform/lua4/frontend/ast.h"
#include "platform/lua4/frontend/emitter.h"
#include "platform/lua4/frontend/line_writer.h"
#include "platform/lua4/frontend/parser.h"
#include "platform/lua4/frontend/syntax_error.h"

namespace lua4::frontend {

namespace {

Translation failure(std::string_view chunkName, int line, const std::string& message) {
    Translation result;
    result.errorLine = line;
    result.error = std::string(chunkName) + ":" + std::to_string(line) + ": " + message;
    return result;
}

}  // namespace

Translation translateChunk40(std::string_view chunk, std::string_view chunkName,
                             const DialectSwitches& switches, std::size_t treeBudget) {
    try {
        Ast ast(treeBudget);
        Parser parser(chunk, switches, ast);
        const FunctionBody* main = parser.parseChunk();
        LineWriter out;
        Emitter(switches, out).emitChunk(main);
        Translation result;
        result.ok = true;
        result.source = out.take();
        return result;
    } catch (const SyntaxError& error) {
        return failure(chunkName, error.line, error.message);
    } catch (const std::bad_alloc&) {
        Translation result;
        result.error = "not enough memory";
        result.outOfMemory = true;
        return result;
    }
}

}  // namespace lua4::frontend
