#include "app/check/problem_log.h"

namespace {

// Problems alike in kind, name and description are one problem.
std::string identity(const Problem& problem) {
    return std::to_string(int(problem.kind)) + '\n' + problem.name + '\n' + problem.message;
}

// Lua's messages begin with the place ("script.lua:12: "); the line is
// kept apart, so the place is left out of the message.
std::string withoutPlace(const std::string& message, int line) {
    const std::string place = ":" + std::to_string(line) + ": ";
    const std::size_t found = message.find(place);
    if (line <= 0 || found == std::string::npos || message.find(' ') < found) return message;
    return message.substr(found + place.size());
}

}  // namespace

void ProblemLog::report(const Problem& problem) {
    if (!seen_.insert(identity(problem)).second) return;
    problems_.push_back(problem);
    if (problems_.back().line == 0 && script_ != nullptr)
        problems_.back().line = lua4::currentScriptLine(script_);
}

void ProblemLog::archiveRead(const std::string& name, bool extracted) {
    if (!archive_) return;
    if (std::optional<Problem> problem = archive_->read(name, extracted)) report(*problem);
}

void ProblemLog::scriptError(const char* message, int line) {
    ++scriptErrors_;
    report(Problem{ProblemKind::scriptError, "script.lua",
                   withoutPlace(message ? message : "", line), line});
}

void ProblemLog::reportUnusedMembers() {
    if (!archive_) return;
    for (const Problem& problem : archive_->unusedMembers()) report(problem);
}
