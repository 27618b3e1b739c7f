// The process-wide list of effect modules, in the order the `layer`
// command searches them: image, scene, capture.
#pragma once

#include <vector>

#include "app/effect_module.h"

// Non-owning: modules are process-lifetime objects.
std::vector<EffectModule*>& effectModules();

// Fills the list with the engine's modules, in order (done in onAppInit).
void installEffectModules();
