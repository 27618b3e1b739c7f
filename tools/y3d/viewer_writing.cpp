// Cameras and lights: each aims at a target dummy placed as its child
// along its view or light direction, so that it turns with its node.
#include <cmath>
#include <numbers>

#include "d3dx/d3dx_math.h"
#include "mirroring.h"
#include "scene_converter.h"

namespace {

constexpr float kDefaultTargetDistance = 100;

// The player shows a 4:3 image and wants its horizontal field of view.
// Assimp's importers give the horizontal angle of the input's aspect
// (glTF: vertical × aspect), or one for an unknown aspect.
float horizontalFieldOfView(const aiCamera& camera) {
    if (camera.mAspect <= 0) return camera.mHorizontalFOV;
    const double vertical = camera.mHorizontalFOV / camera.mAspect;
    return float(2 * std::atan(std::tan(vertical / 2) * 4 / 3));
}

// The input's distance to its target when it gives one (a look-at vector
// that is not of unit length), otherwise the default.
float targetDistance(const aiVector3D& lookAt) {
    const float length = lookAt.Length();
    return length > 0 && std::fabs(length - 1) > 1e-3f ? length : kDefaultTargetDistance;
}

// The roll r whose up vector (−sin r, cos r, 0), seen along `view`, points
// where `up` does.
float rollFor(const D3DXVECTOR3& view, const D3DXVECTOR3& up) {
    D3DXVECTOR3 side;
    D3DXVec3Cross(&side, &view, &up);
    if (std::fabs(side.x) < 1e-6f && std::fabs(side.y) < 1e-6f) return 0;
    double roll = std::atan2(side.y, side.x);
    if (-std::sin(roll) * up.x + std::cos(roll) * up.y < 0) roll += std::numbers::pi;
    if (roll > std::numbers::pi) roll -= 2 * std::numbers::pi;
    return std::fabs(roll) < 1e-6 ? 0.0f : float(roll);
}

std::uint16_t lightKind(const aiLight& light) {
    if (light.mType == aiLightSource_SPOT) return 1;
    return light.mType == aiLightSource_DIRECTIONAL ? 2 : 0;
}

Y3dColor colorOf(const aiColor3D& c) {
    return {c.r, c.g, c.b};
}

// The file keeps one attenuation term with a distance: mode 1 linear
// 1.3 / distance, mode 2 quadratic 1.3 / distance.
void setAttenuation(Y3dLight& out, const aiLight& light, float scale) {
    if (light.mAttenuationQuadratic > 0) {
        out.attenuationMode = 2;
        out.attenuationDistance = 1.3f / light.mAttenuationQuadratic * scale * scale;
    } else if (light.mAttenuationLinear > 0) {
        out.attenuationMode = 1;
        out.attenuationDistance = 1.3f / light.mAttenuationLinear * scale;
    }
}

}  // namespace

float SceneConverter::rollAt(const PlannedNode& planned, double seconds) const {
    const aiMatrix3x3 turn(poses_.global(*planned.node, seconds));
    return rollFor(mirroredDirection(turn * planned.camera->mLookAt),
                   mirroredDirection(turn * planned.camera->mUp));
}

// Keys at every scene frame when the camera moves with the animation, one
// key when it holds still; none for a camera that never rolls.
void SceneConverter::writeRoll(const PlannedNode& planned) {
    const std::int32_t last = poses_.movesWithAnimation(*planned.node) ? length_ : 0;
    std::vector<Y3dScalarKey> keys;
    bool rolls = false;
    for (std::int32_t frame = 0; frame <= last; ++frame) {
        const std::int32_t tick = frame * SceneClock::kTicks;
        keys.push_back({tick, rollAt(planned, clock_.secondsOfTick(tick))});
        rolls = rolls || keys.back().value != 0;
    }
    if (rolls) writeRollTrack(out_, keys);
}

void SceneConverter::writeTarget(const PlannedNode& planned, std::int32_t id,
                                 const aiVector3D& direction, float distance) {
    aiVector3D along = direction;
    along.Normalize();
    beginDummy(out_);
    writeStill(names_.claim(planned.name + ".Target"), id, planned.id, -1,
               mirroredPoint(along * distance, options_.scale));
    out_.end();
    ++result_.summary.dummies;
}

void SceneConverter::writeCamera(const PlannedNode& planned) {
    const aiCamera& camera = *planned.camera;
    const float distance = targetDistance(camera.mLookAt);
    const std::int32_t targetId = nextId_++;
    beginCamera(out_, {0, horizontalFieldOfView(camera), distance * options_.scale});
    writeHeader(planned.name, planned.id, planned.parentId, targetId, planned.node);
    writeTracks(planned.node);
    writeRoll(planned);
    out_.end();
    ++result_.summary.cameras;
    writeTarget(planned, targetId, camera.mLookAt, distance);
}

void SceneConverter::writeLight(const PlannedNode& planned) {
    const aiLight& light = *planned.light;
    Y3dLight out;
    out.kind = lightKind(light);
    out.diffuse = colorOf(light.mColorDiffuse);
    out.ambient = colorOf(light.mColorAmbient);
    out.specular = colorOf(light.mColorSpecular);
    setAttenuation(out, light, options_.scale);
    constexpr float kDegrees = 180 / std::numbers::pi_v<float>;
    if (out.kind == 1) {
        out.innerConeAngle = light.mAngleInnerCone * kDegrees;
        out.outerConeAngle = light.mAngleOuterCone * kDegrees;
    }
    const bool aimed = out.kind != 0 && light.mDirection.Length() > 0;
    out.directionLength = aimed ? kDefaultTargetDistance * options_.scale : 0;
    const std::int32_t targetId = aimed ? nextId_++ : -1;
    beginLight(out_, out);
    writeHeader(planned.name, planned.id, planned.parentId, targetId, planned.node);
    writeTracks(planned.node);
    out_.end();
    ++result_.summary.lights;
    if (aimed) writeTarget(planned, targetId, light.mDirection, kDefaultTargetDistance);
}
