// The problems one check run meets, in the order met and each once: what
// the engine reports, the script's errors, and in packed mode what the
// archive reads show.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/check/archive_usage.h"
#include "app/problem_sink.h"
#include "platform/lua4/error_observer.h"

class ProblemLog : public ProblemSink, public lua4::ErrorObserver {
  public:
    // Problems met while the script runs take its current line from it.
    void watchScript(lua_State* script) { script_ = script; }
    // Packed mode: reads are matched against this archive's members.
    void watchArchive(ArchiveListing listing) { archive_.emplace(std::move(listing)); }

    void report(const Problem& problem) override;
    void archiveRead(const std::string& name, bool extracted) override;
    void scriptError(const char* message, int line) override;

    // Adds the archive members nothing has read (packed mode).
    void reportUnusedMembers();
    bool scriptErrorSeen() const { return scriptErrors_ > 0; }
    const std::vector<Problem>& problems() const { return problems_; }

  private:
    std::vector<Problem> problems_;
    std::set<std::string> seen_;
    std::optional<ArchiveUsage> archive_;
    lua_State* script_ = nullptr;
    int scriptErrors_ = 0;
};
