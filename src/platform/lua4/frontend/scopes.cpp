#include "platform/lua4/frontend/scopes.h"

namespace lua4::frontend {

void Scopes::openFunction(FunctionBody* function) {
    functions_.push_back(FunctionScope{function, {}, 0});
}

void Scopes::closeFunction() {
    leaveScope(functions_.back().active);
    functions_.pop_back();
}

FunctionBody* Scopes::currentFunction() const {
    return functions_.back().function;
}

bool Scopes::atMainChunk() const {
    return functions_.size() == 1;
}

std::size_t Scopes::openBlock() const {
    return functions_.back().active.size();
}

std::vector<LocalVar*> Scopes::closeBlock(std::size_t mark) {
    std::vector<LocalVar*>& active = functions_.back().active;
    std::vector<LocalVar*> closed(active.begin() + static_cast<std::ptrdiff_t>(mark), active.end());
    active.resize(mark);
    leaveScope(closed);
    return closed;
}

void Scopes::activate(LocalVar* local) {
    functions_.back().active.push_back(local);
    ++inScope_[local->name];
}

void Scopes::leaveScope(const std::vector<LocalVar*>& locals) {
    for (const LocalVar* local : locals) {
        auto it = inScope_.find(local->name);
        if (--it->second == 0) inScope_.erase(it);
    }
}

bool Scopes::anyInScope(std::string_view name) const {
    return inScope_.count(name) > 0;
}

std::size_t Scopes::activeCount() const {
    return functions_.back().active.size();
}

LocalVar* Scopes::find(const FunctionScope& scope, std::string_view name) {
    for (auto it = scope.active.rbegin(); it != scope.active.rend(); ++it) {
        if ((*it)->name == name) return *it;
    }
    return nullptr;
}

LocalVar* Scopes::findLocal(std::string_view name) const {
    if (!anyInScope(name)) return nullptr;
    return find(functions_.back(), name);
}

LocalVar* Scopes::findEnclosingLocal(std::string_view name) const {
    if (functions_.size() < 2 || !anyInScope(name)) return nullptr;
    return find(functions_[functions_.size() - 2], name);
}

LocalVar* Scopes::findOuterLocal(std::string_view name, bool includeEnclosing) const {
    if (!anyInScope(name)) return nullptr;
    std::size_t skip = includeEnclosing ? 1 : 2;
    for (std::size_t i = functions_.size(); i > skip; --i) {
        if (LocalVar* local = find(functions_[i - 1 - skip], name)) return local;
    }
    return nullptr;
}

int Scopes::loopDepth() const {
    return functions_.back().loops;
}

void Scopes::enterLoop() {
    ++functions_.back().loops;
}

void Scopes::leaveLoop() {
    --functions_.back().loops;
}

}  // namespace lua4::frontend
