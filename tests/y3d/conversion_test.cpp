// `tessal-y3d convert` through assimp: glTF animation and hierarchy in the
// scene's space and time base, cameras and lights, FBX units and axes, 3DS
// turned upright, materials with maps from OBJ and MTL, meshes split at
// 16-bit indices, and inputs that must be refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "assimp_reading.h"
#include "d3dx/d3dx_math.h"
#include "scene/scene_reader.h"
#include "scene_conversion.h"
#include "support/base64.h"
#include "y3d_commands.h"
#include "y3d_options.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::string base64(const std::vector<float>& floats, const std::vector<std::uint16_t>& shorts) {
    std::string raw(reinterpret_cast<const char*>(floats.data()), floats.size() * 4);
    raw.append(reinterpret_cast<const char*>(shorts.data()), shorts.size() * 2);
    return ::base64(raw);
}

// A triangle (0,0,0) (1,0,0) (0,1,0) facing +z, twice, under "arm", which
// moves from the origin to z = 10 while turning 90° about y over one
// second; a camera "cam" turned 30° about its view axis.
std::string armGltf() {
    const float half = std::sqrt(0.5f);
    const std::vector<float> floats = {0, 0, 0, 1, 0, 0,    0, 1,   0,  // positions
                                       0, 1,                            // key times
                                       0, 0, 0, 0, 0, 10,               // translations
                                       0, 0, 0, 1, 0, half, 0, half};   // rotations
    const std::string data = base64(floats, {0, 1, 2});
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,3]}],
"nodes":[{"name":"arm","children":[1,2]},
 {"name":"box","mesh":0,"translation":[1,0,0]},{"name":"box","mesh":0,"translation":[0,2,0]},
 {"name":"cam","camera":0,"translation":[0,0,5],"rotation":[0,0,0.25881905,0.96592583]}],
"cameras":[{"type":"perspective","perspective":{"yfov":0.8,"aspectRatio":1.3333333,"znear":0.1}}],
"meshes":[{"name":"tri","primitives":[{"attributes":{"POSITION":0},"indices":4}]}],
"animations":[{"channels":[{"sampler":0,"target":{"node":0,"path":"translation"}},
 {"sampler":1,"target":{"node":0,"path":"rotation"}}],
 "samplers":[{"input":1,"output":2},{"input":1,"output":3}]}],
"buffers":[{"byteLength":106,"uri":"data:application/octet-stream;base64,)" +
           data + R"("}],
"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":8},
 {"buffer":0,"byteOffset":44,"byteLength":24},{"buffer":0,"byteOffset":68,"byteLength":32},
 {"buffer":0,"byteOffset":100,"byteLength":6}],
"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]},
 {"bufferView":1,"componentType":5126,"count":2,"type":"SCALAR","min":[0],"max":[1]},
 {"bufferView":2,"componentType":5126,"count":2,"type":"VEC3"},
 {"bufferView":3,"componentType":5126,"count":2,"type":"VEC4"},
 {"bufferView":4,"componentType":5123,"count":3,"type":"SCALAR"}]})";
}

ConversionOptions scaledBy(float scale) {
    ConversionOptions options;
    options.scale = scale;
    return options;
}

ConversionOptions withoutCamera() {
    ConversionOptions options;
    options.addCamera = false;
    return options;
}

ConversionResult convertText(const std::string& text, const char* hint,
                             const ConversionOptions& options = {}) {
    Assimp::Importer importer;
    std::string error;
    const aiScene* scene = readWithAssimp(
        importer, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, hint, error);
    if (scene == nullptr) {
        ConversionResult failed;
        failed.error = error;
        return failed;
    }
    return convertScene(*scene, options, "out");
}

std::unique_ptr<Scene> readBack(const ConversionResult& result) {
    EXPECT_EQ(result.error, "");
    auto scene = readScene(result.bytes.data(), result.bytes.size());
    if (scene) scene->prepareTracks();
    return scene;
}

void expectNear(const D3DXVECTOR3& got, D3DXVECTOR3 want) {
    EXPECT_NEAR(got.x, want.x, 1e-4f);
    EXPECT_NEAR(got.y, want.y, 1e-4f);
    EXPECT_NEAR(got.z, want.z, 1e-4f);
}

TEST(GltfConversion, AnimatedHierarchyInTheSceneSpaceAndTimeBase) {
    const auto scene = readBack(convertText(armGltf(), "gltf"));
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->length, 30);  // one second at 30 frames per second
    EXPECT_EQ(scene->ticksPerFrame, 160);
    SceneNode* box = scene->findNode("box");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(scene->findNode("box#2"), nullptr);  // repeated names made unique
    EXPECT_EQ(box->parent, scene->findNode("arm"));
    scene->update(0);
    expectNear(box->position, {1, 0, 0});
    scene->update(2400);  // half a second: at z 5, turned 45° (z negated)
    expectNear(box->position, {std::sqrt(0.5f), 0, -5 + std::sqrt(0.5f)});
    scene->update(4800);
    expectNear(box->position, {0, 0, -9});
    // The triangle faced +z; once mirrored its front faces −z: drawn in
    // its group's order, its normal (p1 − p0) × (p2 − p1) points there.
    const SceneMesh& mesh = *dynamic_cast<SceneMesh*>(box);
    const auto& at = mesh.faceGroups.at(0).indices;
    D3DXVECTOR3 e1, e2, n;
    const D3DXVECTOR3 &p0 = mesh.vertices[at[0]].position, &p1 = mesh.vertices[at[1]].position,
                      &p2 = mesh.vertices[at[2]].position;
    D3DXVec3Cross(&n, D3DXVec3Subtract(&e1, &p1, &p0), D3DXVec3Subtract(&e2, &p2, &p1));
    EXPECT_LT(n.z, 0);
    EXPECT_FLOAT_EQ(mesh.vertices[0].normal.z, -1);
}

TEST(GltfConversion, CameraFieldOfViewRollAndTarget) {
    const auto scene = readBack(convertText(armGltf(), "gltf", scaledBy(2)));
    ASSERT_NE(scene, nullptr);
    auto* camera = dynamic_cast<SceneCamera*>(scene->findNode("cam"));
    ASSERT_NE(camera, nullptr);
    ASSERT_NE(camera->target, nullptr);
    scene->update(0);
    expectNear(camera->position, {0, 0, -10});
    expectNear(camera->target->position, {0, 0, 190});  // 100 units along its view, scaled
    EXPECT_NEAR(camera->fieldOfView, 2 * std::atan(std::tan(0.4) * 4 / 3), 1e-4);
    EXPECT_NEAR(camera->roll, 30 * std::numbers::pi / 180, 1e-4);
}

// The triangle with one morph target moving it 1 along z, its weight
// animated over one second by `weights` (two keys, three elements each for
// a cubic spline).
std::string morphGltf(const std::vector<float>& weights = {0, 1},
                      const std::string& interpolation = "LINEAR") {
    std::vector<float> floats = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1};
    floats.insert(floats.end(), weights.begin(), weights.end());
    const std::string data = base64(floats, {0, 1, 2});
    const std::string weightBytes = std::to_string(weights.size() * 4);
    const std::string indexOffset = std::to_string(80 + weights.size() * 4);
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],
"nodes":[{"name":"blob","mesh":0}],
"meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":4,"targets":[{"POSITION":1}]}]}],
"animations":[{"channels":[{"sampler":0,"target":{"node":0,"path":"weights"}}],
 "samplers":[{"input":2,"output":3,"interpolation":")" +
           interpolation + R"("}]}],
"buffers":[{"byteLength":)" +
           std::to_string(86 + weights.size() * 4) +
           R"(,"uri":"data:application/octet-stream;base64,)" + data + R"("}],
"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":36},
 {"buffer":0,"byteOffset":72,"byteLength":8},{"buffer":0,"byteOffset":80,"byteLength":)" +
           weightBytes + R"(},
 {"buffer":0,"byteOffset":)" +
           indexOffset + R"(,"byteLength":6}],
"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]},
 {"bufferView":1,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,1],"max":[0,0,1]},
 {"bufferView":2,"componentType":5126,"count":2,"type":"SCALAR","min":[0],"max":[1]},
 {"bufferView":3,"componentType":5126,"count":)" +
           std::to_string(weights.size()) + R"(,"type":"SCALAR"},
 {"bufferView":4,"componentType":5123,"count":3,"type":"SCALAR"}]})";
}

TEST(GltfConversion, MorphTargetsAreBakedAtEverySceneFrame) {
    const auto scene = readBack(convertText(morphGltf(), "gltf"));
    ASSERT_NE(scene, nullptr);
    const SceneMesh& blob = *dynamic_cast<SceneMesh*>(scene->findNode("blob"));
    ASSERT_TRUE(blob.isMorph);
    ASSERT_EQ(blob.morphFrames.size(), 31u);  // frames 0 to 30
    EXPECT_EQ(blob.morphFrames[15].time, 2400);
    for (const D3DXVECTOR3& p : blob.morphFrames[15].positions) EXPECT_NEAR(p.z, -0.5f, 1e-5f);
    EXPECT_NEAR(blob.morphFrames[30].positions[1].x, 1, 1e-6f);
    EXPECT_NEAR(blob.morphFrames[30].positions[1].z, -1, 1e-6f);
}

// A triangle moved to (1, 2, 3) and a spot light at (0, 0, 4) shining along
// its local -z, in COLLADA's right-handed, Y-up space.
const char* const spotCollada = R"(<?xml version="1.0" encoding="utf-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
 <asset><unit meter="1" name="meter"/><up_axis>Y_UP</up_axis></asset>
 <library_lights><light id="spot" name="spot"><technique_common><spot>
  <color>1 0.5 0.25</color><constant_attenuation>1</constant_attenuation>
  <linear_attenuation>0</linear_attenuation><quadratic_attenuation>0</quadratic_attenuation>
  <falloff_angle>40</falloff_angle><falloff_exponent>1</falloff_exponent>
 </spot></technique_common></light></library_lights>
 <library_geometries><geometry id="tri" name="tri"><mesh>
  <source id="pos"><float_array id="pos-array" count="9">0 0 0 1 0 0 0 1 0</float_array>
   <technique_common><accessor source="#pos-array" count="3" stride="3">
    <param name="X" type="float"/><param name="Y" type="float"/><param name="Z" type="float"/>
   </accessor></technique_common></source>
  <vertices id="vtx"><input semantic="POSITION" source="#pos"/></vertices>
  <triangles count="1"><input semantic="VERTEX" source="#vtx" offset="0"/><p>0 1 2</p></triangles>
 </mesh></geometry></library_geometries>
 <library_visual_scenes><visual_scene id="scene">
  <node id="tri-node" name="tri"><translate>1 2 3</translate><instance_geometry url="#tri"/></node>
  <node id="lamp" name="lamp"><translate>0 0 4</translate><instance_light url="#spot"/></node>
 </visual_scene></library_visual_scenes>
 <scene><instance_visual_scene url="#scene"/></scene>
</COLLADA>)";

TEST(ColladaConversion, NodesAndSpotLightInTheSceneSpace) {
    const auto scene = readBack(convertText(spotCollada, "dae"));
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    ASSERT_NE(scene->findNode("tri-node"), nullptr);  // assimp names COLLADA nodes by id
    expectNear(scene->findNode("tri-node")->position, {1, 2, -3});
    auto* lamp = dynamic_cast<SceneLight*>(scene->findNode("lamp"));
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->kind, 1u);
    EXPECT_NEAR(lamp->diffuse.g, 0.5f, 1e-6f);
    EXPECT_NEAR(lamp->innerConeAngle, 40, 1e-3f);
    EXPECT_GE(lamp->outerConeAngle, lamp->innerConeAngle);
    const D3DLIGHT8 light = lamp->deviceLight();
    expectNear({light.Position.x, light.Position.y, light.Position.z}, {0, 0, -4});
    D3DXVECTOR3 direction{light.Direction.x, light.Direction.y, light.Direction.z};
    expectNear(*D3DXVec3Normalize(&direction, &direction), {0, 0, 1});
}

// glTF lights: a spot at (0, 0, 4) turned 45° about y, shining along its
// local −z, its cone edges 0.25 and 0.5 radians from its axis, and a point
// light of colour (1, 0.5, 0.25) and intensity 2; a triangle to light.
std::string lightsGltf() {
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,1,2]}],
"extensionsUsed":["KHR_lights_punctual"],"extensions":{"KHR_lights_punctual":{"lights":[
 {"type":"spot","spot":{"innerConeAngle":0.25,"outerConeAngle":0.5}},
 {"type":"point","color":[1,0.5,0.25],"intensity":2}]}},
"nodes":[{"name":"Spot","translation":[0,0,4],"rotation":[0,0.38268343,0,0.92387953],
  "extensions":{"KHR_lights_punctual":{"light":0}}},
 {"name":"Bulb","extensions":{"KHR_lights_punctual":{"light":1}}},{"name":"tri","mesh":0}],
"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],
"buffers":[{"byteLength":36,"uri":"data:application/octet-stream;base64,)" +
           base64({0, 0, 0, 1, 0, 0, 0, 1, 0}, {}) + R"("}],
"bufferViews":[{"buffer":0,"byteLength":36}],
"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]}]})";
}

TEST(GltfConversion, SpotConesAreWholeAnglesInDegrees) {
    const auto scene = readBack(convertText(lightsGltf(), "gltf", withoutCamera()));
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    auto* spot = dynamic_cast<SceneLight*>(scene->findNode("Spot"));
    ASSERT_NE(spot, nullptr);
    EXPECT_EQ(spot->kind, 1u);
    EXPECT_NEAR(spot->innerConeAngle, 28.6479f, 1e-3f);  // 2 × 0.25 rad
    EXPECT_NEAR(spot->outerConeAngle, 57.2958f, 1e-3f);
    const D3DLIGHT8 light = spot->deviceLight();
    expectNear({light.Position.x, light.Position.y, light.Position.z}, {0, 0, -4});
    D3DXVECTOR3 direction{light.Direction.x, light.Direction.y, light.Direction.z};
    // Local −z turned 45° about y is (−√½, 0, −√½); mirrored, z is positive.
    expectNear(*D3DXVec3Normalize(&direction, &direction), {-std::sqrt(0.5f), 0, std::sqrt(0.5f)});
    auto* bulb = dynamic_cast<SceneLight*>(scene->findNode("Bulb"));
    ASSERT_NE(bulb, nullptr);
    EXPECT_EQ(bulb->kind, 0u);
    EXPECT_NEAR(bulb->diffuse.r, 2, 1e-6f);  // the colour times the intensity
    EXPECT_NEAR(bulb->diffuse.b, 0.5f, 1e-6f);
}

// An FBX 7.4 file, its GlobalSettings properties given: a quad "Plate" at
// (100, 200, 300) painted with a coloured, textured material, a point
// light "Lamp" at (0, 300, 0) and a camera "Cam" at (0, 0, 500) turned
// 90° about y (an FBX camera looks along its x axis, so this one along −z).
std::string plateFbx(const std::string& settings) {
    return R"(; FBX 7.4.0 project file
FBXHeaderExtension: { FBXHeaderVersion: 1003
 FBXVersion: 7400 }
GlobalSettings: { Version: 1000
 Properties70: { )" +
           settings + R"( } }
Objects: {
 Geometry: 100, "Geometry::quad", "Mesh" {
  Vertices: *12 { a: 0,0,0,1,0,0,1,1,0,0,1,0 }
  PolygonVertexIndex: *4 { a: 0,1,2,-4 }
  LayerElementMaterial: 0 { MappingInformationType: "AllSame"
   ReferenceInformationType: "IndexToDirect"
   Materials: *1 { a: 0 } }
  Layer: 0 { LayerElement: { Type: "LayerElementMaterial"
   TypedIndex: 0 } } }
 Model: 200, "Model::Plate", "Mesh" { Properties70: {
  P: "Lcl Translation", "Lcl Translation", "", "A",100,200,300 } }
 Material: 300, "Material::Paint", "" { ShadingModel: "phong"
  Properties70: { P: "DiffuseColor", "Color", "", "A",1,0.5,0.25 } }
 Texture: 400, "Texture::wood", "" { FileName: "maps/wood.png"
  RelativeFilename: "maps/wood.png" }
 NodeAttribute: 500, "NodeAttribute::lamp", "Light" { Properties70: {
  P: "LightType", "enum", "", "",0
  P: "Color", "Color", "", "A",1,0.5,0.25
  P: "Intensity", "Number", "", "A",100 } }
 Model: 600, "Model::Lamp", "Light" { Properties70: {
  P: "Lcl Translation", "Lcl Translation", "", "A",0,300,0 } }
 NodeAttribute: 700, "NodeAttribute::cam", "Camera" { Properties70: {
  P: "FieldOfView", "FieldOfView", "", "A",60 } }
 Model: 800, "Model::Cam", "Camera" { Properties70: {
  P: "Lcl Translation", "Lcl Translation", "", "A",0,0,500
  P: "Lcl Rotation", "Lcl Rotation", "", "A",0,90,0 } }
}
Connections: {
 C: "OO",200,0
 C: "OO",100,200
 C: "OO",300,200
 C: "OP",400,300, "DiffuseColor"
 C: "OO",600,0
 C: "OO",500,600
 C: "OO",800,0
 C: "OO",700,800
})";
}

TEST(FbxConversion, CentimetresByDefaultMeshMaterialLightAndCamera) {
    const auto scene = readBack(convertText(plateFbx(""), "fbx"));
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    const auto* plate = dynamic_cast<SceneMesh*>(scene->findNode("Plate"));
    ASSERT_NE(plate, nullptr);
    expectNear(plate->position, {1, 2, -3});  // metres, as a glTF file would give them
    EXPECT_EQ(plate->vertices.size(), 4u);
    float widest = 0;
    for (const SceneVertex& v : plate->vertices) widest = std::max(widest, v.position.x);
    EXPECT_NEAR(widest, 0.01f, 1e-6f);  // the quad, 1 cm wide
    ASSERT_EQ(scene->materials.size(), 1u);
    const SceneMaterial& paint = *scene->materials[0];
    EXPECT_EQ(paint.name, "Paint");
    EXPECT_NEAR(paint.diffuse.g, 0.5f, 1e-6f);
    EXPECT_EQ(paint.layers[0].fileName, "maps/wood.png");
    auto* lamp = dynamic_cast<SceneLight*>(scene->findNode("Lamp"));
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->kind, 0u);
    EXPECT_NEAR(lamp->diffuse.b, 0.25f, 1e-6f);
    expectNear(lamp->position, {0, 3, 0});
    auto* cam = dynamic_cast<SceneCamera*>(scene->findNode("Cam"));
    ASSERT_NE(cam, nullptr);
    ASSERT_NE(cam->target, nullptr);
    expectNear(cam->position, {0, 0, -5});
    D3DXVECTOR3 view;
    D3DXVec3Subtract(&view, &cam->target->position, &cam->position);
    expectNear(*D3DXVec3Normalize(&view, &view), {0, 0, 1});  // towards the plate
}

TEST(FbxConversion, ZUpMetresFromTheGlobalSettingsComeOutUpright) {
    const auto scene = readBack(convertText(plateFbx(R"(
  P: "UpAxis", "int", "Integer", "",2
  P: "UpAxisSign", "int", "Integer", "",1
  P: "FrontAxis", "int", "Integer", "",1
  P: "FrontAxisSign", "int", "Integer", "",-1
  P: "CoordAxis", "int", "Integer", "",0
  P: "CoordAxisSign", "int", "Integer", "",1
  P: "UnitScaleFactor", "double", "Number", "",100)"),
                                            "fbx", scaledBy(0.5f)));
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    // File z is up: (x, y, z) is (x, z, −y) in right-handed Y-up, then mirrored.
    expectNear(scene->findNode("Plate")->position, {50, 150, 100});
    expectNear(scene->findNode("Lamp")->position, {0, 0, 150});
}

// A 3DS chunk: id, length including this six-byte header, body.
std::string chunk3ds(std::uint16_t id, const std::string& body) {
    const std::uint32_t length = std::uint32_t(6 + body.size());
    return std::string(reinterpret_cast<const char*>(&id), 2) +
           std::string(reinterpret_cast<const char*>(&length), 4) + body;
}

template <typename T>
std::string bytesOf(std::initializer_list<T> values) {
    return {reinterpret_cast<const char*>(values.begin()), values.size() * sizeof(T)};
}

// A 3DS file (Z-up): a triangle "Sail" standing in the plane y = 2, its
// corners (1, 2, 0) (3, 2, 0) (1, 2, 2) counter-clockwise seen from −y,
// painted with material "Red"; the keyframer's node header gives its name.
std::string sail3ds() {
    const std::string vertices =
        chunk3ds(0x4110, bytesOf<std::uint16_t>({3}) + bytesOf<float>({1, 2, 0, 3, 2, 0, 1, 2, 2}));
    const std::string faces = chunk3ds(
        0x4120, bytesOf<std::uint16_t>({1, 0, 1, 2, 0}) +
                    chunk3ds(0x4130, std::string("Red\0", 4) + bytesOf<std::uint16_t>({1, 0})));
    const std::string object =
        chunk3ds(0x4000, std::string("Sail\0", 5) + chunk3ds(0x4100, vertices + faces));
    const std::string material =
        chunk3ds(0xAFFF, chunk3ds(0xA000, std::string("Red\0", 4)) +
                             chunk3ds(0xA020, chunk3ds(0x0011, std::string("\xff\x80\x00", 3))));
    const std::string keyframer = chunk3ds(
        0xB000, chunk3ds(0xB002, chunk3ds(0xB030, bytesOf<std::uint16_t>({0})) +
                                     chunk3ds(0xB010, std::string("Sail\0", 5) +
                                                          bytesOf<std::int16_t>({0, 0, -1}))));
    return chunk3ds(0x4D4D, chunk3ds(0x3D3D, material + object) + keyframer);
}

// The world positions of the mesh's first triangle in its group's order.
std::array<D3DXVECTOR3, 3> firstTriangle(const SceneMesh& mesh) {
    std::array<D3DXVECTOR3, 3> corners;
    for (int i = 0; i < 3; ++i)
        D3DXVec3TransformCoord(
            &corners[i], &mesh.vertices[mesh.faceGroups.at(0).indices[i]].position, &mesh.world);
    return corners;
}

TEST(ThreeDsConversion, ZUpModelStandsUprightAndKeepsItsFront) {
    const auto scene = readBack(convertText(sail3ds(), "3ds"));
    ASSERT_NE(scene, nullptr);
    scene->update(0);
    const auto* sail = dynamic_cast<SceneMesh*>(scene->findNode("Sail"));
    ASSERT_NE(sail, nullptr);
    ASSERT_EQ(sail->vertices.size(), 3u);
    // (x, y, z) of the file is (x, z, −y) in right-handed Y-up, then mirrored:
    // (x, z, y); the corner at file z = 2 is on top.
    const std::array<D3DXVECTOR3, 3> p = firstTriangle(*sail);
    for (const D3DXVECTOR3 corner : {D3DXVECTOR3{1, 0, 2}, {3, 0, 2}, {1, 2, 2}})
        EXPECT_TRUE(std::any_of(p.begin(), p.end(),
                                [&](const D3DXVECTOR3& q) {
                                    D3DXVECTOR3 d;
                                    return D3DXVec3Length(D3DXVec3Subtract(&d, &q, &corner)) <
                                           1e-4f;
                                }))
            << corner.x << " " << corner.y << " " << corner.z;
    // The front the file's front view saw (−y) faces the scene's viewers,
    // who look along +z.
    D3DXVECTOR3 e1, e2, n;
    D3DXVec3Cross(&n, D3DXVec3Subtract(&e1, &p[1], &p[0]), D3DXVec3Subtract(&e2, &p[2], &p[1]));
    expectNear(*D3DXVec3Normalize(&n, &n), {0, 0, -1});
    ASSERT_EQ(scene->materials.size(), 1u);
    EXPECT_NEAR(scene->materials[0]->diffuse.g, 128 / 255.0f, 1e-6f);
}

struct Folder {
    fs::path path =
        fs::temp_directory_path() /
        ("tessal-y3d-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string write(const std::string& name, const std::string& text) const {
        fs::create_directories((path / name).parent_path());
        std::ofstream(path / name) << text;
        return (path / name).string();
    }
};

// A scene the command wrote, ready to play; null when it cannot be read.
std::unique_ptr<Scene> readSceneFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    auto scene = readScene(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (scene) scene->prepareTracks();
    return scene;
}

int convertCommand(const std::string& input, const std::string& output,
                   const std::vector<std::string>& extra = {}) {
    std::vector<std::string> words = {"tessal-y3d", "convert"};
    words.insert(words.end(), extra.begin(), extra.end());
    words.push_back(input);
    words.push_back(output);
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    Y3dToolOptions options;
    std::string error;
    EXPECT_TRUE(parseY3dOptions(int(argv.size()), argv.data(), options, error)) << error;
    return runConvert(options);
}

TEST(ObjConversion, MaterialsMapsAndCopiedTextures) {
    Folder folder;
    folder.write("maps/wood.png", "png bytes");
    folder.write("maps/sky.png", "png bytes");
    folder.write("cube.mtl",
                 "newmtl Wood\nKd 0.5 0.25 0\nNs 250\nd 0.75\n"
                 "map_Kd maps\\wood.png\nmap_d mask.png\nrefl -type sphere maps/sky.png\n");
    const std::string input =
        folder.write("cube.obj",
                     "mtllib cube.mtl\no Box\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                     "usemtl Wood\nf 1 2 3 4\n");
    const std::string output = (folder.path / "out/cube.y3d").string();
    fs::create_directories(folder.path / "out");
    ASSERT_EQ(convertCommand(input, output, {"--copy-textures", (folder.path / "out").string()}),
              0);
    EXPECT_TRUE(fs::exists(folder.path / "out/maps/wood.png"));
    EXPECT_TRUE(fs::exists(folder.path / "out/maps/sky.png"));
    auto scene = readSceneFile(output);
    ASSERT_NE(scene, nullptr);
    const SceneMaterial* wood = nullptr;
    for (const auto& m : scene->materials)
        if (m->name == "Wood") wood = m.get();
    ASSERT_NE(wood, nullptr);
    EXPECT_EQ(wood->layers[0].fileName, "maps/wood.png");
    EXPECT_EQ(wood->layers[1].fileName, "mask.png");
    EXPECT_EQ(wood->layers[2].fileName, "maps/sky.png");  // read past assimp
    EXPECT_NEAR(wood->transparency, 0.25f, 1e-6f);
    EXPECT_NEAR(wood->shininess, 2.5f, 1e-6f);
    const SceneMesh& box = *dynamic_cast<SceneMesh*>(scene->findNode("Box"));
    EXPECT_EQ(box.vertices.size(), 4u);  // the quad's corners, not repeated
    EXPECT_EQ(box.faceGroups.at(0).indices.size(), 6u);
    ASSERT_NE(scene->findNode("Camera"), nullptr);  // added: the input has none
}

// Two triangles moving from the origin to z = 10 over one second: an
// unnamed node in a step, "spline" along a cubic spline whose tangents
// lift it 2 units half way.
std::string curvesGltf() {
    const std::string data = base64({0, 0, 0, 1, 0, 0,  0, 1, 0,  // positions
                                     0, 1,                        // key times
                                     0, 0, 0, 0, 0, 10,           // stepped keys
                                     0, 0, 0, 0, 0, 0,  0, 8, 0, 0, -8, 0, 0, 0, 10, 0, 0, 0},
                                    {0, 1, 2});
    return R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0,1]}],
"nodes":[{"name":"spline","mesh":0},{"mesh":0}],
"meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":4}]}],
"animations":[{"channels":[{"sampler":0,"target":{"node":1,"path":"translation"}},
 {"sampler":1,"target":{"node":0,"path":"translation"}}],
 "samplers":[{"input":1,"output":2,"interpolation":"STEP"},
  {"input":1,"output":3,"interpolation":"CUBICSPLINE"}]}],
"buffers":[{"byteLength":146,"uri":"data:application/octet-stream;base64,)" +
           data + R"("}],
"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":8},
 {"buffer":0,"byteOffset":44,"byteLength":24},{"buffer":0,"byteOffset":68,"byteLength":72},
 {"buffer":0,"byteOffset":140,"byteLength":6}],
"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]},
 {"bufferView":1,"componentType":5126,"count":2,"type":"SCALAR","min":[0],"max":[1]},
 {"bufferView":2,"componentType":5126,"count":2,"type":"VEC3"},
 {"bufferView":3,"componentType":5126,"count":6,"type":"VEC3"},
 {"bufferView":4,"componentType":5123,"count":3,"type":"SCALAR"}]})";
}

TEST(GltfConversion, SteppedAndCubicCurvesPlayAsInTheInput) {
    Folder folder;
    const std::string output = (folder.path / "curves.y3d").string();
    ASSERT_EQ(convertCommand(folder.write("curves.gltf", curvesGltf()), output), 0);
    auto scene = readSceneFile(output);
    ASSERT_NE(scene, nullptr);
    SceneNode *stepped = scene->findNode("nodes[1]"), *spline = scene->findNode("spline");
    ASSERT_TRUE(stepped != nullptr && spline != nullptr);
    scene->update(2400);  // half a second
    expectNear(stepped->position, {0, 0, 0});
    expectNear(spline->position, {0, 2, -5});  // linear keys would give (0, 0, −5)
    scene->update(4799);
    expectNear(stepped->position, {0, 0, 0});
    scene->update(4800);
    expectNear(stepped->position, {0, 0, -10});
    expectNear(spline->position, {0, 0, -10});
}

// Weights along a cubic spline whose first out-tangent overshoots: 0.75
// half way, where linear keys would give 0.5.
TEST(GltfConversion, CubicMorphWeightsAreBaked) {
    Folder folder;
    const std::string output = (folder.path / "blob.y3d").string();
    const std::string input =
        folder.write("blob.gltf", morphGltf({0, 0, 2, 0, 1, 0}, "CUBICSPLINE"));
    ASSERT_EQ(convertCommand(input, output), 0);
    const auto scene = readSceneFile(output);
    ASSERT_NE(scene, nullptr);
    const SceneMesh& blob = *dynamic_cast<SceneMesh*>(scene->findNode("blob"));
    ASSERT_EQ(blob.morphFrames.size(), 31u);
    for (const D3DXVECTOR3& p : blob.morphFrames[15].positions) EXPECT_NEAR(p.z, -0.75f, 1e-5f);
    EXPECT_NEAR(blob.morphFrames[30].positions[0].z, -1, 1e-5f);
}

// A binary glTF: one triangle whose material's base colour map is a PNG
// held in the file's own buffer.
std::string triangleGlb(const std::string& png) {
    const float positions[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    std::string bin(reinterpret_cast<const char*>(positions), sizeof positions);
    bin += png;
    bin.resize((bin.size() + 3) / 4 * 4, '\0');
    std::string json = R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],
"nodes":[{"name":"tri","mesh":0}],
"meshes":[{"primitives":[{"attributes":{"POSITION":0},"material":0}]}],
"materials":[{"name":"Painted","pbrMetallicRoughness":{"baseColorTexture":{"index":0}}}],
"textures":[{"source":0}],"images":[{"bufferView":1,"mimeType":"image/png"}],
"buffers":[{"byteLength":)" +
                       std::to_string(bin.size()) + R"(}],
"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":)" +
                       std::to_string(png.size()) + R"(}],
"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]}]})";
    json.resize((json.size() + 3) / 4 * 4, ' ');
    auto word = [](std::uint32_t value) { return std::string(reinterpret_cast<char*>(&value), 4); };
    return "glTF" + word(2) + word(std::uint32_t(12 + 8 + json.size() + 8 + bin.size())) +
           word(std::uint32_t(json.size())) + "JSON" + json + word(std::uint32_t(bin.size())) +
           std::string("BIN\0", 4) + bin;
}

TEST(GlbConversion, EmbeddedImagesAreCopiedAndNamed) {
    std::ifstream fixture(fs::path(TESSAL_SOURCE_DIR) / "fuzz/corpus/decode_png/png_grey",
                          std::ios::binary);
    const std::string png{std::istreambuf_iterator<char>(fixture), {}};
    ASSERT_FALSE(png.empty());
    Folder folder;
    const std::string input = folder.write("tri.glb", triangleGlb(png));
    const std::string output = (folder.path / "out/painted.y3d").string();
    fs::create_directories(folder.path / "out");
    ASSERT_EQ(convertCommand(input, output, {"--copy-textures", (folder.path / "out").string()}),
              0);
    auto scene = readSceneFile(output);
    ASSERT_NE(scene, nullptr);
    const SceneMaterial* painted = nullptr;
    for (const auto& m : scene->materials)
        if (m->name == "Painted") painted = m.get();
    ASSERT_NE(painted, nullptr);
    ASSERT_TRUE(painted->layers[0].present);
    const fs::path copied = folder.path / "out" / painted->layers[0].fileName;
    std::ifstream image(copied, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(image), {}), png) << copied;
}

TEST(ObjConversion, MeshesBeyondSixteenBitIndicesAreSplit) {
    std::string text = "o Big\n";
    constexpr int kTriangles = 22000;  // 66000 distinct corners
    for (int i = 0; i < 3 * kTriangles; ++i) text += "v " + std::to_string(i) + " 0 0\n";
    for (int i = 0; i < kTriangles; ++i)
        text += "f " + std::to_string(3 * i + 1) + " " + std::to_string(3 * i + 2) + " " +
                std::to_string(3 * i + 3) + "\n";
    const auto scene = readBack(convertText(text, "obj", withoutCamera()));
    ASSERT_NE(scene, nullptr);
    ASSERT_EQ(scene->meshes.size(), 2u);
    EXPECT_EQ(scene->meshes[0]->name, "Big");
    EXPECT_EQ(scene->meshes[1]->name, "Big#2");
    EXPECT_EQ(scene->meshes[1]->parent, scene->meshes[0]);
    EXPECT_EQ(scene->meshes[0]->vertices.size(), 65535u);
    EXPECT_EQ(scene->meshes[1]->vertices.size(), 66000u - 65535u);
}

TEST(ConversionRefusal, BadInputsLeaveNoOutput) {
    Folder folder;
    const std::string output = (folder.path / "out.y3d").string();
    const std::string inputs[] = {
        folder.write("noise.gltf", "{ this is not json"),
        folder.write("empty.gltf",
                     R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],)"
                     R"("nodes":[{"name":"alone"}]})"),
        folder.write("outside.obj", "mtllib m.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl A\nf 1 2 3\n"),
    };
    folder.write("m.mtl", "newmtl A\nmap_Kd ../../elsewhere.png\n");
    for (const std::string& input : inputs) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(convertCommand(input, output), 1) << input;
        EXPECT_THAT(testing::internal::GetCapturedStderr(), HasSubstr(input));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()),
                  4);  // the inputs and the library only
    }
}

}  // namespace
