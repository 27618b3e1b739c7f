// The scene effect (type 2): a loaded scene seen through one of its
// cameras, at its own speed and time offset, with its own clipping planes
// and linear fog whose parameters follow key tracks in demo time.
#pragma once

#include "anim/track_kinds.h"
#include "app/effect.h"
#include "scene/scene.h"
#include "scene/scene_fog.h"

class SceneEffect : public Effect {
  public:
    static constexpr int kTypeId = 2;

    SceneEffect();

    int typeId() override { return kTypeId; }
    // Stage 0 reads the `layer` arguments: scene name, camera name, frame
    // rate, frame offset, near plane, far plane (the last four optional).
    // Stage 1 sorts the fog tracks.
    bool init(int stage, lua_State* L) override;
    void render(float time, float intervalStart) override;
    void releaseDeviceResources(int code) override {}

    // The scene tick shown at demo time `time` of an interval starting at
    // `intervalStart`: frames from the rate and offset, looped over the
    // scene's length.
    float sceneTime(float time, float intervalStart) const;
    // The fog at demo time `time`: off while the density is not above 0.
    SceneFog fogAt(float time) const;

    Scene* scene = nullptr;         // owned by the scene registry
    SceneCamera* camera = nullptr;  // owned by the scene
    float frameRate = 30;           // scene frames per second of layer time
    float frameOffset = 0;          // frames added before looping
    float farPlane = 10000;
    float nearPlane = 1;
    ScalarTrack fogDensity;  // fog is on while above 0
    ScalarTrack fogStart;
    ScalarTrack fogEnd;
    ColorTrack fogColour;  // r, g, b, a in 0..1

  private:
    bool readLayerArguments(lua_State* L);
    bool readCamera(const char* name);
};
