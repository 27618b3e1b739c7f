#include "effects/capture_effect.h"

#include <cstdio>

#include "app/current_device.h"
#include "app/problem_sink.h"
#include "app/script_args.h"
#include "effects/capture_surfaces.h"
#include "media/texture_store.h"
#include "platform/lua4/lua4.h"

bool CaptureEffect::init(int stage, lua_State* L) {
    if (stage == 0) {
        readLayerArguments(L);
        return true;
    }
    return createCaptureDepth(currentDevice);
}

void CaptureEffect::readLayerArguments(lua_State* L) {
    const char* name = stringArg(L, 2);
    textureIndex = name ? textureStore().find(name) : -1;
    if (textureIndex < 0) {
        std::printf("There is no capture texture named %s created", name ? name : "");
        reportProblem(ProblemKind::missingTexture, name ? name : "",
                      "a capture layer names this texture, which was never created");
    }
    beginsCapture = lua4::lua_tonumber(L, 3) == 0;
}

// A begin layer acts only when no capture runs, an end layer only when one
// does: a begin after a begin, or an end with nothing to end, would lose
// the surfaces the capture must give back.
void CaptureEffect::render(float time, float intervalStart) {
    if (textureIndex < 0) return;
    if (beginsCapture) {
        IDirect3DTexture8* texture = textureStore().texture(textureIndex);
        if (texture == nullptr || captureRunning) return;
        beginCapture(currentDevice, texture);
    } else if (captureRunning) {
        endCapture(currentDevice);
    }
}

void CaptureEffect::releaseDeviceResources(int code) {
    releaseCaptureDepth(currentDevice);
}
