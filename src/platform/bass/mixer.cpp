#include "platform/bass/mixer.h"

#include <algorithm>

DWORD Mixer::add(std::unique_ptr<StreamChannel> channel) {
    if (nextHandle_ == 0) nextHandle_ = 1;
    const DWORD handle = nextHandle_++;
    channels_[handle] = std::move(channel);
    return handle;
}

StreamChannel* Mixer::find(DWORD handle) const {
    const auto found = channels_.find(handle);
    return found == channels_.end() ? nullptr : found->second.get();
}

std::unique_ptr<StreamChannel> Mixer::remove(DWORD handle) {
    const auto found = channels_.find(handle);
    if (found == channels_.end()) return nullptr;
    std::unique_ptr<StreamChannel> channel = std::move(found->second);
    channels_.erase(found);
    return channel;
}

std::vector<std::unique_ptr<StreamChannel>> Mixer::removeAll() {
    std::vector<std::unique_ptr<StreamChannel>> all;
    for (auto& entry : channels_) all.push_back(std::move(entry.second));
    channels_.clear();
    return all;
}

void Mixer::render(std::int16_t* out, int frames, double now) {
    sum_.assign(std::size_t(2 * frames), 0);
    for (auto& entry : channels_) entry.second->mixInto(sum_.data(), frames, now);
    for (std::size_t i = 0; i < sum_.size(); ++i)
        out[i] = std::int16_t(std::clamp(sum_[i], -32768, 32767));
}
