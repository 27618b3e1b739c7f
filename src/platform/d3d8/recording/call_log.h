// The log of the recording backend: every call made on its objects, in order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/windef.h"

// One call. `object` is "Direct3D", "Device", "Surface", "VertexBuffer" or
// "IndexBuffer"; `name` the method's name. `args` holds the input arguments
// in declaration order as numbers (pointers as their address, 0 for null),
// with the contents of input structures spelled out where a call's comment
// in recording_device.h says so. `result` is the HRESULT returned (for AddRef
// and Release, the new reference count; for calls returning a count or a
// BOOL, that value).
struct RecordedCall {
    std::string object;
    std::string name;
    std::vector<double> args;
    HRESULT result = 0;
};

class CallLog {
  public:
    void record(std::string object, std::string name, std::vector<double> args, HRESULT result);

    const std::vector<RecordedCall>& calls() const { return calls_; }
    std::size_t size() const { return calls_.size(); }
    void clear() { calls_.clear(); }
    // A log that records nothing makes the backend a device that keeps its
    // state and checks its calls but leaves no trace (for benchmarks).
    void setRecording(bool on) { recording_ = on; }
    bool recording() const { return recording_; }

    // Calls by method name, whatever the object.
    std::size_t count(std::string_view name) const;
    std::vector<RecordedCall> named(std::string_view name) const;
    // The first (last) call of that name, null when there is none.
    const RecordedCall* first(std::string_view name) const;
    const RecordedCall* last(std::string_view name) const;
    // Index of the first call of that name at or after `from`; -1 when none.
    long indexOf(std::string_view name, std::size_t from = 0) const;
    // The method names in call order, for checking sequences.
    std::vector<std::string> names() const;

  private:
    std::vector<RecordedCall> calls_;
    bool recording_ = true;
};
