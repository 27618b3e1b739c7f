#include "banner_gltf.h"

#include "banner_model.h"
#include "gltf_buffer.h"
#include "vector_math.h"

namespace {

constexpr int kMastNode = 0, kPoleNode = 1, kClothNode = 2, kFirstBoneNode = 3;
constexpr int kCameraNode = kFirstBoneNode + kBannerBones;
constexpr int kSunNode = kCameraNode + 1, kSkyNode = kCameraNode + 2;

std::string quaternion(const D3DXQUATERNION& q) {
    return gltfArray({q.x, q.y, q.z, q.w});
}

// A light or camera's turn that points its local −z along `direction`.
std::string aimedAlong(D3DXVECTOR3 direction) {
    return ",\"rotation\":" + quaternion(turnBetween({0, 0, -1}, direction));
}

// Attribute and index accessors of one mesh, as a primitive. The accessors
// are added one statement at a time: their numbers must not depend on the
// order a compiler evaluates operands in.
std::string primitive(GltfBuffer& buffer, const BannerMesh& mesh, int material) {
    std::string out = "{\"attributes\":{\"POSITION\":";
    out += std::to_string(buffer.addFloats(mesh.positions, "VEC3"));
    out += ",\"NORMAL\":" + std::to_string(buffer.addFloats(mesh.normals, "VEC3"));
    out += ",\"TEXCOORD_0\":" + std::to_string(buffer.addFloats(mesh.textureCoordinates, "VEC2"));
    if (!mesh.joints.empty()) {
        out += ",\"JOINTS_0\":" + std::to_string(buffer.addShorts(mesh.joints, "VEC4"));
        out += ",\"WEIGHTS_0\":" + std::to_string(buffer.addFloats(mesh.weights, "VEC4"));
    }
    out += "},\"indices\":" + std::to_string(buffer.addShorts(mesh.indices, "SCALAR"));
    return out + ",\"material\":" + std::to_string(material) + "}";
}

std::string meshes(GltfBuffer& buffer) {
    const std::string cloth = primitive(buffer, bannerCloth(), 0);
    const std::string pole = primitive(buffer, bannerPole(), 1);
    return "\"meshes\":[{\"name\":\"Cloth\",\"primitives\":[" + cloth +
           "]},\n {\"name\":\"Pole\",\"primitives\":[" + pole + "]}]";
}

// Each bone's bind pose undone: bone k stands k units along x.
std::string skins(GltfBuffer& buffer) {
    std::vector<float> inverseBinds;
    std::string joints;
    for (int bone = 0; bone < kBannerBones; ++bone) {
        inverseBinds.insert(inverseBinds.end(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0});
        inverseBinds.insert(inverseBinds.end(), {-float(bone), 0, 0, 1});
        joints += (bone ? "," : "") + std::to_string(kFirstBoneNode + bone);
    }
    return "\"skins\":[{\"joints\":[" + joints +
           "],\"skeleton\":" + std::to_string(kFirstBoneNode) +
           ",\"inverseBindMatrices\":" + std::to_string(buffer.addFloats(inverseBinds, "MAT4")) +
           "}]";
}

std::string boneNodes() {
    std::string out;
    for (int bone = 0; bone < kBannerBones; ++bone) {
        out += ",\n {\"name\":\"Bone" + std::to_string(bone) + "\"";
        if (bone > 0) out += ",\"translation\":[1,0,0]";
        if (bone + 1 < kBannerBones)
            out += ",\"children\":[" + std::to_string(kFirstBoneNode + bone + 1) + "]";
        out += "}";
    }
    return out;
}

std::string nodes() {
    return "\"nodes\":[{\"name\":\"Mast\",\"translation\":[0,0,0],\"children\":[" +
           std::to_string(kPoleNode) + "," + std::to_string(kClothNode) + "," +
           std::to_string(kFirstBoneNode) +
           "]},\n {\"name\":\"Pole\",\"mesh\":1},\n {\"name\":\"Cloth\",\"mesh\":0,\"skin\":0}" +
           boneNodes() + ",\n {\"name\":\"BannerView\",\"camera\":0,\"translation\":[-1.3,1.8,12]" +
           aimedAlong({0, -0.02f, -1}) + "}" +
           ",\n {\"name\":\"Sun\",\"extensions\":{\"KHR_lights_punctual\":{\"light\":0}}" +
           aimedAlong({-0.4f, -0.6f, -0.7f}) + "}" +
           ",\n {\"name\":\"Sky\",\"extensions\":{\"KHR_lights_punctual\":{\"light\":1}}" +
           aimedAlong({0.6f, 0.3f, -0.7f}) + "}]";
}

// The mast sways along a cubic spline through a few keys a loop, each with
// the sway's own rate as its tangents; the converter samples it at every
// frame.
std::string mastSampler(GltfBuffer& buffer) {
    std::vector<float> times, keys;
    for (int key = 0; key <= kBannerMastKeysPerLoop; ++key) {
        const double seconds = kBannerLoopSeconds * key / kBannerMastKeysPerLoop;
        times.push_back(float(seconds));
        const D3DXQUATERNION turn = bannerMastTurn(seconds), rate = bannerMastTurnRate(seconds);
        for (const D3DXQUATERNION& q : {rate, turn, rate})
            keys.insert(keys.end(), {q.x, q.y, q.z, q.w});
    }
    std::string out = "{\"input\":" + std::to_string(buffer.addFloats(times, "SCALAR"));
    out += ",\"output\":" + std::to_string(buffer.addFloats(keys, "VEC4"));
    return out + ",\"interpolation\":\"CUBICSPLINE\"}";
}

// The bones' samplers, keyed densely and played linearly.
std::string boneSamplers(GltfBuffer& buffer) {
    const int keys = int(kBannerLoopSeconds * kBannerKeysPerSecond);
    std::vector<float> times;
    std::vector<std::vector<float>> turns(kBannerBones);
    for (int key = 0; key <= keys; ++key) {
        const double seconds = double(key) / kBannerKeysPerSecond;
        times.push_back(float(seconds));
        for (int bone = 0; bone < kBannerBones; ++bone) {
            const D3DXQUATERNION q = bannerBoneTurn(bone, seconds);
            turns[std::size_t(bone)].insert(turns[std::size_t(bone)].end(), {q.x, q.y, q.z, q.w});
        }
    }
    const std::string input = std::to_string(buffer.addFloats(times, "SCALAR"));
    std::string samplers;
    for (const std::vector<float>& bone : turns)
        samplers += ",\n {\"input\":" + input +
                    ",\"output\":" + std::to_string(buffer.addFloats(bone, "VEC4")) +
                    ",\"interpolation\":\"LINEAR\"}";
    return samplers;
}

// Sampler i turns the mast (i = 0) or bone i − 1.
std::string animations(GltfBuffer& buffer) {
    std::string samplers = mastSampler(buffer);
    samplers += boneSamplers(buffer);
    std::string channels;
    for (int i = 0; i <= kBannerBones; ++i) {
        const int node = i == 0 ? kMastNode : kFirstBoneNode + i - 1;
        channels += std::string(i ? ",\n " : "") + "{\"sampler\":" + std::to_string(i) +
                    ",\"target\":{\"node\":" + std::to_string(node) + ",\"path\":\"rotation\"}}";
    }
    return "\"animations\":[{\"name\":\"Wave\",\"channels\":[" + channels + "],\n\"samplers\":[" +
           samplers + "]}]";
}

const char* const kHead = R"({"asset":{"version":"2.0","generator":"tessal-demo-scene --gltf"},
"extensionsUsed":["KHR_lights_punctual"],
"extensions":{"KHR_lights_punctual":{"lights":[
 {"name":"Sun","type":"directional","color":[1,0.92,0.8],"intensity":1},
 {"name":"Sky","type":"directional","color":[0.35,0.45,0.7],"intensity":1}]}},
"cameras":[{"type":"perspective","perspective":{"yfov":0.7,"aspectRatio":1.3333334,"znear":0.1,"zfar":100}}],
"materials":[
 {"name":"Cloth","doubleSided":true,"emissiveFactor":[0.25,0.25,0.25],
  "pbrMetallicRoughness":{"baseColorTexture":{"index":0},"metallicFactor":0,"roughnessFactor":0.7}},
 {"name":"Pole","pbrMetallicRoughness":{"baseColorFactor":[0.8,0.62,0.3,1],"metallicFactor":0,"roughnessFactor":0.4}}],
"textures":[{"source":0}],
"images":[{"uri":"stripes.bmp"}],
)";

}  // namespace

std::string buildBannerGltf() {
    GltfBuffer buffer;
    const std::string scene = "\"scene\":0,\"scenes\":[{\"nodes\":[" + std::to_string(kMastNode) +
                              "," + std::to_string(kCameraNode) + "," + std::to_string(kSunNode) +
                              "," + std::to_string(kSkyNode) + "]}],\n";
    // One statement each: every part adds accessors in turn.
    std::string parts = scene + meshes(buffer) + ",\n";
    parts += skins(buffer) + ",\n";
    parts += animations(buffer) + ",\n";
    parts += nodes() + ",\n";
    return kHead + parts + buffer.json() + "}\n";
}
