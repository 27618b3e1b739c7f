#include "app/effect_modules.h"

#include "effects/capture_effect_module.h"
#include "effects/image_effect_module.h"
#include "effects/scene_effect_module.h"

std::vector<EffectModule*>& effectModules() {
    static std::vector<EffectModule*> modules;
    return modules;
}

void installEffectModules() {
    std::vector<EffectModule*>& modules = effectModules();
    modules.clear();
    // Image (type 0), scene (type 2), capture (type 3).
    modules.push_back(&imageEffectModule());
    modules.push_back(&sceneEffectModule());
    modules.push_back(&captureEffectModule());
}
