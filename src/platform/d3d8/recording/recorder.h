// Logs the calls of one recording object and applies forced results.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/d3d8/d3d8types.h"
#include "platform/d3d8/recording/call_log.h"

class Recorder {
  public:
    Recorder(CallLog& log, std::string object, const std::map<std::string, HRESULT>& forced)
        : log_(log), object_(std::move(object)), forced_(forced) {}

    // Runs `work` and logs the call with its result. A forced result
    // replaces the call: `work` does not run.
    template <class Work>
    HRESULT call(const char* name, std::initializer_list<double> args, Work&& work) {
        return callWith(
            name, [args] { return std::vector<double>(args); }, std::forward<Work>(work));
    }

    // The same for arguments that take work to spell out: `makeArgs`
    // returns them, and runs only when the call is logged, so that a
    // device whose log is off does no more than a real one.
    template <class MakeArgs, class Work>
    HRESULT callWith(const char* name, MakeArgs&& makeArgs, Work&& work) {
        if (!log_.recording() && forced_.empty()) return work();
        const auto forced = forced_.find(name);
        const HRESULT result = forced != forced_.end() ? forced->second : work();
        if (log_.recording()) log_.record(object_, name, makeArgs(), result);
        return result;
    }

    // Logs a call that returns a value rather than a result code.
    void note(const char* name, std::initializer_list<double> args, HRESULT value) {
        if (log_.recording()) log_.record(object_, name, std::vector<double>(args), value);
    }

    CallLog& log() { return log_; }

  private:
    CallLog& log_;
    std::string object_;
    const std::map<std::string, HRESULT>& forced_;
};

// Pointers are logged as their address, 0 for null.
inline double address(const void* pointer) {
    return double(reinterpret_cast<std::uintptr_t>(pointer));
}

// The fields of presentation parameters, in declaration order.
std::vector<double> presentParameterArgs(const D3DPRESENT_PARAMETERS* params);
// The arguments LockRect logs: the rectangle when given, then the flags.
std::vector<double> lockArgs(const RECT* rect, DWORD flags);
