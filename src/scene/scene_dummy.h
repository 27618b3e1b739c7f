// A node that only carries a transform for its children and can serve as a
// target.
#pragma once

#include "scene/scene_node.h"

class SceneDummy : public SceneNode {};
