#include "app/check/layer_activity.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

std::string timeText(float seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(seconds));
    return text;
}

}  // namespace

bool layerActiveBetween(const Layer& layer, float start, float end) {
    return std::any_of(layer.intervals.begin(), layer.intervals.end(),
                       [&layer, start, end](const LayerInterval& interval) {
                           const float from = std::max({interval.start, layer.start, start});
                           return from <= std::min({interval.endOrForever(), layer.end, end});
                       });
}

std::vector<Problem> inactiveLayers(LayerTable& table, float start, float end) {
    std::vector<Problem> inactive;
    const std::string span =
        "is drawn at no time between " + timeText(start) + " and " + timeText(end) + " seconds";
    for (int id = 0; id < table.count(); ++id)
        if (!layerActiveBetween(table.layer(id), start, end))
            inactive.push_back({ProblemKind::neverActive, "layer " + std::to_string(id), span, 0});
    return inactive;
}
