#include "demo_scene.h"

#include <cmath>
#include <string>

#include "d3dx/d3dx_math.h"

#include "demo_materials.h"
#include "key_paths.h"
#include "ripple_pool.h"
#include "scene_builder.h"
#include "scene_timing.h"
#include "shapes.h"
#include "vector_math.h"

namespace {

constexpr float kTurn = 2 * kPi;
// Keys every five frames: smooth paths, small files.
constexpr unsigned kSteps = kLoopFrames / 5;

constexpr float kStageRadius = 14;
constexpr float kPoolRadius = 5.5f;
constexpr D3DXVECTOR3 kKnotCentre{0, 5.5f, 0};

D3DXVECTOR3 around(float angle, float radius, float y) {
    return {radius * std::cos(angle), y, radius * std::sin(angle)};
}

// One turn followed by another.
D3DXQUATERNION then(D3DXQUATERNION first, D3DXQUATERNION second) {
    D3DXQUATERNION both;
    D3DXQuaternionMultiply(&both, &first, &second);
    return both;
}

// The stage, the pool sunk into its middle and the dummy the main camera
// looks at. Returns the dummy's id.
std::int32_t addStage(SceneBuilder& scene) {
    scene.mesh("Stage", kNoNode, placedAt({0, 0, 0}),
               ringPlatform(kFloor, kTrim, kPoolRadius, kStageRadius, 1.0f));
    RippleShape shape;
    shape.radius = kPoolRadius;
    scene.packedMesh("Pool", kNoNode, placedAt({0, -0.3f, 0}), ripplePool(kWater, shape));
    return scene.dummy("Focus", kNoNode, placedAt({0, 4, 0}));
}

// The knot bobs and turns once a loop, rocking a little as it goes; the
// halo is tilted 25° and its tilt sweeps round once a loop the other way.
// Returns the knot's id.
std::int32_t addKnotAndHalo(SceneBuilder& scene) {
    NodeMotion knot;
    knot.position = sampleVectors(kSteps, [](float phase) {
        return kKnotCentre + D3DXVECTOR3{0, 0.3f * std::sin(kTurn * 2 * phase), 0};
    });
    knot.rotation = sampleTurns(kSteps, [](float phase) {
        return then(axisAngle({1, 0, 0}, 0.3f * std::sin(kTurn * phase)),
                    axisAngle({0, 1, 0}, kTurn * phase));
    });
    const std::int32_t knotId =
        scene.mesh("Knot", kNoNode, knot, torusKnot(kChrome, 2, 3, 2.6f, 0.5f, 128, 8));

    NodeMotion halo = placedAt(kKnotCentre);
    halo.rotation = sampleTurns(kSteps, [](float phase) {
        return then(axisAngle({1, 0, 0}, 0.44f), axisAngle({0, 1, 0}, -kTurn * phase));
    });
    scene.mesh("Halo", kNoNode, halo, torus(kHaloGlow, 5.6f, 0.1f, 64, 6));
    return knotId;
}

// A moon at `angle` on the carousel, bobbing and spinning about its own
// tilted axis.
NodeMotion moonMotion(float angle, D3DXVECTOR3 axis, float spins) {
    NodeMotion motion;
    motion.position = sampleVectors(kSteps, [angle](float phase) {
        return around(angle, 8.5f, 0.6f * std::sin(kTurn * 2 * phase + angle));
    });
    motion.rotation = sampleTurns(kSteps, steadySpin(axis, spins));
    return motion;
}

// The carousel turns once a loop, against the main camera, carrying three
// moons (one mesh and two instances of it), a beacon that circles the
// first moon, and a violet spark with the moving point light inside.
// Returns the spark's mesh index.
std::int32_t addCarousel(SceneBuilder& scene) {
    NodeMotion turning = placedAt({0, 5, 0});
    turning.rotation = sampleTurns(kSteps, steadySpin({0, 1, 0}, 1));
    const std::int32_t carousel = scene.dummy("Carousel", kNoNode, turning);

    const std::int32_t moon =
        scene.mesh("Moon", carousel, moonMotion(0, {0.3f, 1, 0}, 3), sphere(kStriped, 1, 24, 14));
    NodeMotion beacon = placedAt({0, 0, 1.8f});
    beacon.rotation = sampleTurns(kSteps, steadySpin({1, 1, 0}, 4));
    scene.mesh("Beacon", moon, beacon, cube(kBeacon, 0.6f));
    const std::int32_t source = scene.meshIndexOf(moon);
    scene.instance("Moon2", carousel, moonMotion(kTurn / 3, {-0.4f, 1, 0.2f}, -2), source);
    scene.instance("Moon3", carousel, moonMotion(2 * kTurn / 3, {0, 1, 0.5f}, 4), source);

    NodeMotion spark;
    spark.position = sampleVectors(kSteps, [](float phase) {
        return around(kTurn / 6, 6.8f, 1.2f * std::sin(kTurn * 3 * phase));
    });
    const std::int32_t sparkId =
        scene.mesh("Spark", carousel, spark, sphere(kSparkGlow, 0.35f, 12, 8));
    Y3dLight violet;
    violet.kind = 0;
    violet.diffuse = {0.8f, 0.35f, 0.9f};
    violet.ambient = {0.04f, 0.02f, 0.05f};
    violet.specular = {0.9f, 0.5f, 1.0f};
    violet.attenuationMode = 2;  // quadratic: 1.3 / distance, a pool of light that fades fast
    violet.attenuationDistance = 30;
    scene.light("OrbitLight", sparkId, kNoNode, placedAt({0, 0, 0}), violet);
    return scene.meshIndexOf(sparkId);
}

// Four twisted columns round the rim (one mesh, three instances), low
// enough for the cameras to see over, each with a violet lamp on top (an
// instance of the spark, a child of its column); and two glass panels
// facing the middle (one mesh, one instance).
void addColumnsAndGlass(SceneBuilder& scene, std::int32_t sparkMesh) {
    constexpr float height = 4.5f;
    std::int32_t columnMesh = -1;
    for (int i = 0; i < 4; ++i) {
        const std::string number = std::to_string(i + 1);
        const NodeMotion place = placedAt(around(kTurn / 8 + float(i) * kTurn / 4, 12, 0),
                                          axisAngle({0, 1, 0}, float(i) * 1.3f));
        std::int32_t column;
        if (i == 0) {
            column = scene.mesh("Column" + number, kNoNode, place,
                                twistedColumn(kStone, 0.75f, 6, 0.9f, height, 24, 12));
            columnMesh = scene.meshIndexOf(column);
        } else {
            column = scene.instance("Column" + number, kNoNode, place, columnMesh);
        }
        scene.instance("Lamp" + number, column, placedAt({0, height + 0.45f, 0}), sparkMesh);
    }

    const auto facingMiddle = [](float angle) {
        return placedAt(around(angle, 11, 0), turnBetween({0, 0, -1}, around(angle, -1, 0)));
    };
    const std::int32_t glass =
        scene.mesh("GlassEast", kNoNode, facingMiddle(0), panel(kGlass, 5, 6, 4, 6));
    scene.instance("GlassWest", kNoNode, facingMiddle(kPi), scene.meshIndexOf(glass));
}

// A warm spot high on one side aimed at the knot, and a cool directional
// fill from the other side; their ambient colours light the shadows.
void addLights(SceneBuilder& scene, std::int32_t knot) {
    Y3dLight key;
    key.kind = 1;
    key.diffuse = {1.0f, 0.93f, 0.82f};
    key.ambient = {0.2f, 0.19f, 0.18f};
    key.specular = {1, 1, 1};
    key.attenuationMode = 0;  // constant
    key.innerConeAngle = 60;
    key.outerConeAngle = 100;
    key.directionLength = 1;
    scene.light("KeyLight", kNoNode, knot, placedAt({9, 20, -11}), key);

    Y3dLight fill;
    fill.kind = 2;
    fill.diffuse = {0.3f, 0.38f, 0.6f};
    fill.ambient = {0.14f, 0.16f, 0.22f};
    fill.specular = {0.2f, 0.25f, 0.4f};
    fill.directionLength = 1;
    // A light without a target shines along its own −y axis.
    const D3DXQUATERNION aim = turnBetween({0, -1, 0}, {0.6f, -0.35f, -0.7f});
    scene.light("FillLight", kNoNode, kNoNode, placedAt({-10, 8, 12}, aim), fill);
}

// "Orbit" circles the stage once a loop, rising, falling and breathing in
// and out; "Flyby" skims just over the columns the other way round, at
// the height of the knot it looks at.
void addCameras(SceneBuilder& scene, std::int32_t focus, std::int32_t knot) {
    NodeMotion orbit;
    orbit.position = sampleVectors(kSteps, [](float phase) {
        const float radius = 25 + 3 * std::sin(kTurn * 2 * phase);
        return around(-kPi / 2 - 0.6f + kTurn * phase, radius,
                      9.5f + 2.5f * std::sin(kTurn * phase + 1));
    });
    CameraTracks orbitLens;
    orbitLens.fieldOfView = sampleScalars(
        kSteps, [](float phase) { return 1.0f + 0.12f * std::sin(kTurn * 2 * phase + 2); });
    orbitLens.roll =
        sampleScalars(kSteps, [](float phase) { return 0.05f * std::sin(kTurn * phase); });
    scene.camera("Orbit", focus, orbit, {0, 1.0f, 25}, orbitLens);

    NodeMotion flyby;
    flyby.position = sampleVectors(kSteps, [](float phase) {
        const float radius = 16.5f + 1.5f * std::sin(kTurn * 3 * phase);
        return around(0.3f - kTurn * phase, radius, 5.5f + std::sin(kTurn * 2 * phase));
    });
    CameraTracks flybyLens;
    flybyLens.fieldOfView = {{0, 1.25f}};
    flybyLens.roll =
        sampleScalars(kSteps, [](float phase) { return 0.12f * std::sin(kTurn * 2 * phase); });
    scene.camera("Flyby", knot, flyby, {0, 1.25f, 17}, flybyLens);
}

}  // namespace

DemoSceneFile buildDemoScene() {
    Y3dWriter out;
    beginContainer(out);
    writeSceneTiming(out, 0, kLoopFrames, kTicksPerFrame);
    writeDemoMaterials(out);
    SceneBuilder scene(out);
    const std::int32_t focus = addStage(scene);
    const std::int32_t knot = addKnotAndHalo(scene);
    const std::int32_t sparkMesh = addCarousel(scene);
    addColumnsAndGlass(scene, sparkMesh);
    addLights(scene, knot);
    addCameras(scene, focus, knot);
    DemoSceneFile file;
    file.meshes = scene.meshCount();
    file.vertices = scene.vertexCount();
    file.triangles = scene.triangleCount();
    file.bytes = out.finish();
    return file;
}
