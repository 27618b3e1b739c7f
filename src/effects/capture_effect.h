// The capture-texture effect (type 3): draws nothing itself. A begin layer
// switches the render target to a capture texture, so that the layers after
// it draw into the texture; an end layer switches back to the target of
// before.
#pragma once

#include "app/effect.h"

class CaptureEffect : public Effect {
  public:
    static constexpr int kTypeId = 3;

    int typeId() override { return kTypeId; }
    // Stage 0 reads the texture name (argument 2) and whether the layer
    // begins (argument 3 exactly 0; a missing number reads as 0) or ends a
    // capture. Stage 1 makes the shared depth surface if there is none.
    bool init(int stage, lua_State* L) override;
    void render(float time, float intervalStart) override;
    // Releases the shared depth surface, if it is still there.
    void releaseDeviceResources(int code) override;

    bool beginsCapture = true;
    int textureIndex = -1;

  private:
    void readLayerArguments(lua_State* L);
};
