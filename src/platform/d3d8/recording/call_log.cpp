#include "platform/d3d8/recording/call_log.h"

#include <algorithm>

void CallLog::record(std::string object, std::string name, std::vector<double> args,
                     HRESULT result) {
    if (!recording_) return;
    calls_.push_back({std::move(object), std::move(name), std::move(args), result});
}

std::size_t CallLog::count(std::string_view name) const {
    return std::size_t(std::count_if(calls_.begin(), calls_.end(),
                                     [&](const RecordedCall& call) { return call.name == name; }));
}

std::vector<RecordedCall> CallLog::named(std::string_view name) const {
    std::vector<RecordedCall> matching;
    for (const RecordedCall& call : calls_)
        if (call.name == name) matching.push_back(call);
    return matching;
}

const RecordedCall* CallLog::first(std::string_view name) const {
    const long index = indexOf(name);
    return index < 0 ? nullptr : &calls_[std::size_t(index)];
}

const RecordedCall* CallLog::last(std::string_view name) const {
    for (auto call = calls_.rbegin(); call != calls_.rend(); ++call)
        if (call->name == name) return &*call;
    return nullptr;
}

long CallLog::indexOf(std::string_view name, std::size_t from) const {
    for (std::size_t i = from; i < calls_.size(); ++i)
        if (calls_[i].name == name) return long(i);
    return -1;
}

std::vector<std::string> CallLog::names() const {
    std::vector<std::string> sequence;
    sequence.reserve(calls_.size());
    for (const RecordedCall& call : calls_) sequence.push_back(call.name);
    return sequence;
}
