#include "app/layer.h"

#include <algorithm>
#include <limits>

#include "app/current_device.h"

float LayerInterval::endOrForever() const {
    return end.value_or(std::numeric_limits<float>::infinity());
}

Layer::~Layer() {
    if (effect) effect->releaseDeviceResources(1);
    effect.reset();
    intervals.clear();
}

void Layer::addInterval(float time) {
    LayerInterval interval;
    interval.start = time;
    intervals.push_back(interval);
}

void Layer::setLastEnd(float time) {
    if (!intervals.empty()) intervals.back().end = time;
}

void Layer::setLastClear(DWORD flags) {
    if (intervals.empty()) return;
    intervals.back().clear = true;
    intervals.back().clearFlags = flags;
}

void Layer::prepare() {
    if (!intervals.empty()) {
        std::stable_sort(
            intervals.begin(), intervals.end(),
            [](const LayerInterval& a, const LayerInterval& b) { return a.start < b.start; });
        start = intervals.front().start;
        end = intervals.back().endOrForever();
    }
    if (effect) effect->init(1, nullptr);
}

void Layer::render(float t) {
    if (intervals.empty()) return;
    if (t < start || t > end) return;
    const LayerInterval* interval = intervalAt(t);
    if (!interval) return;
    if (interval->clear)
        currentDevice->Clear(0, nullptr, interval->clearFlags, clearColour, 1.0f, 0);
    effect->render(t, interval->start);
}

Effect* Layer::effectIfType(int typeId) {
    return effect && effect->typeId() == typeId ? effect.get() : nullptr;
}

const LayerInterval* Layer::intervalAt(float t) const {
    auto found = std::find_if(intervals.begin(), intervals.end(),
                              [t](const LayerInterval& i) { return i.contains(t); });
    return found != intervals.end() ? &*found : nullptr;
}
