// Layers that the demo never draws: none of their intervals meets the time
// between the start and the end time.
#pragma once

#include <vector>

#include "app/layer_table.h"
#include "app/problem_sink.h"

// A prepared layer is drawn at demo time t when t lies within the layer's
// own start and end and one of its intervals contains t; the demo shows the
// times from start to end.
bool layerActiveBetween(const Layer& layer, float start, float end);

std::vector<Problem> inactiveLayers(LayerTable& table, float start, float end);
