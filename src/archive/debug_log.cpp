#include "archive/debug_log.h"

#include <cstdio>
#include <cstring>

namespace {

const char* baseName(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

}  // namespace

DebugLog& DebugLog::archive() {
    static DebugLog log("/tmp/tessal/debug_archive.txt");
    return log;
}

void DebugLog::start() {
    if (started_) return;
    started_ = true;
    FILE* file = std::fopen(path_.c_str(), "w");
    if (!file) return;
    startTime_ = std::chrono::steady_clock::now();
    std::fprintf(file, "Tessal archive reader - debug log\n");
    std::fprintf(file, "~^%s^~\n", std::string(28, '~').c_str());
    std::fprintf(file, "(executable compiled on %s at %s)\n\n", __DATE__, __TIME__);
    std::fclose(file);
    on_ = true;
}

void DebugLog::write(const std::string& message, unsigned line, const char* unit) {
    if (!on_) return;
    FILE* file = std::fopen(path_.c_str(), "a");
    if (!file) return;
    auto elapsed = std::chrono::steady_clock::now() - startTime_;
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    std::fprintf(file, " %8u ms (line %u in %s):\n              - %s\n", static_cast<unsigned>(ms),
                 line, baseName(unit), message.c_str());
    std::fclose(file);
}
