#include "app/effect_modules.h"

std::vector<EffectModule*>& effectModules() {
    static std::vector<EffectModule*> modules;
    return modules;
}

void installEffectModules() {
    std::vector<EffectModule*>& modules = effectModules();
    modules.clear();
    // The modules are appended here, in this order, as they join the engine:
    // image (type 0), scene (type 2), capture (type 3).
}
