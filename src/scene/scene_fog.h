// The fog a scene layer hands to the scene drawing: linear, between two
// view distances, in one colour.
#pragma once

#include "scene/scene_color.h"

struct SceneFog {
    bool enabled = false;
    float start = 0;
    float end = 0;
    SceneColor colour;  // components nominally 0..1
};
