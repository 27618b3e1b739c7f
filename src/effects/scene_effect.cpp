#include "effects/scene_effect.h"

#include <cmath>
#include <cstdio>

#include "app/current_device.h"
#include "app/problem_sink.h"
#include "app/script_args.h"
#include "platform/lua4/lua4.h"
#include "scene/scene_drawing.h"
#include "scene/scene_registry.h"

SceneEffect::SceneEffect() {
    fogDensity.addKey({0.0f, 0.0f});
    fogStart.addKey({0.0f, 1.0f});
    fogEnd.addKey({0.0f, 100.0f});
    fogColour.addKey({0.0f, {1.0f, 1.0f, 1.0f, 1.0f}});
}

bool SceneEffect::init(int stage, lua_State* L) {
    if (stage == 0) return readLayerArguments(L);
    for (KeyTrack* track :
         std::initializer_list<KeyTrack*>{&fogDensity, &fogStart, &fogEnd, &fogColour})
        track->sortKeys();
    return true;
}

// Arguments 2 and on, in order, as far as the call gives them.
bool SceneEffect::readLayerArguments(lua_State* L) {
    const int last = lua4::lua_gettop(L);
    for (int position = 2; position <= last; ++position) {
        switch (position) {
            case 2: {
                const char* name = stringArg(L, 2);
                scene = sceneRegistry().findScene(name ? name : "");
                if (scene != nullptr) break;
                std::printf("There is no y3d scene named %s loaded\n", name ? name : "");
                reportProblem(ProblemKind::missingScene, name ? name : "",
                              "a layer names this scene, which was never loaded");
                return false;
            }
            case 3:
                if (!readCamera(stringArg(L, 3))) return false;
                break;
            case 4:
                frameRate = floatArg(L, 4);
                break;
            case 5:
                frameOffset = floatArg(L, 5);
                break;
            case 6:
                nearPlane = floatArg(L, 6);
                break;
            case 7:
                farPlane = floatArg(L, 7);
                break;
            default:
                break;
        }
    }
    if (camera != nullptr) return true;
    std::printf("You must define camera for y3d scene effect\n");
    // A layer given no scene at all has none to name.
    reportProblem(ProblemKind::missingCamera, scene ? scene->name : "",
                  "a scene layer names no camera");
    return false;
}

// A missing node fails silently; a node that is not a camera cannot be
// looked through, and says so.
bool SceneEffect::readCamera(const char* name) {
    SceneNode* node = scene->findNode(name ? name : "");
    if (node == nullptr) {
        reportProblem(ProblemKind::missingCamera, name ? name : "",
                      "a layer names this camera, which scene " + scene->name + " does not hold");
        return false;
    }
    camera = dynamic_cast<SceneCamera*>(node);
    if (camera != nullptr) return true;
    std::printf("Node %s of scene %s is not a camera\n", node->name.c_str(), scene->name.c_str());
    reportProblem(ProblemKind::missingCamera, node->name,
                  "a layer looks through this node of scene " + scene->name + ", not a camera");
    return false;
}

// In extended precision, then stored as a float. A scene of length 0 gives
// a time that is not a number: every track then shows its first key.
float SceneEffect::sceneTime(float time, float intervalStart) const {
    const long double ticksPerFrame = scene->ticksPerFrame;
    const long double frames = ((long double)time - intervalStart) * frameRate + frameOffset;
    return float(std::fmod(frames * ticksPerFrame, (long double)scene->length * ticksPerFrame));
}

// Fog tracks run on demo time; the density only switches fog on.
SceneFog SceneEffect::fogAt(float time) const {
    SceneFog fog;
    if (!(fogDensity.evaluate(time) > 0.0f)) return fog;
    fog.enabled = true;
    fog.start = fogStart.evaluate(time);
    fog.end = fogEnd.evaluate(time);
    const ColorValue c = fogColour.evaluate(time);
    fog.colour = {c.c0, c.c1, c.c2, c.c3};
    return fog;
}

void SceneEffect::render(float time, float intervalStart) {
    const float ticks = sceneTime(time, intervalStart);
    scene->update(ticks);
    drawScene(*currentDevice, *scene, *camera, nearPlane, farPlane, fogAt(time), ticks);
}
