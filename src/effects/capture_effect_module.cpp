#include "effects/capture_effect_module.h"

#include "effects/capture_effect.h"

std::unique_ptr<Effect> CaptureEffectModule::createEffect(int index) {
    if (index != 0) return nullptr;
    return std::make_unique<CaptureEffect>();
}

CaptureEffectModule& captureEffectModule() {
    static CaptureEffectModule module;
    return module;
}
