// The JSON form of `tessal-y3d info`: one object with timing, materials,
// nodes (file order) and meshes (mesh index order).
#include "json_out.h"
#include "scene_info.h"
#include "scene_info_parts.h"

namespace {

// The root has no name to give: null for it as for no node at all.
void nameOrNull(JsonOut& json, const Scene& scene, const SceneNode* node) {
    if (node != nullptr && node != &scene.root)
        json.string(node->name);
    else
        json.null();
}

void writeTiming(JsonOut& json, const Scene& scene) {
    json.key("timing");
    json.beginObject();
    json.key("first");
    json.number(scene.timingFirst);
    json.key("length");
    json.number(scene.length);
    json.key("ticksPerFrame");
    json.number(scene.ticksPerFrame);
    json.endObject();
}

void writeMaterial(JsonOut& json, const SceneMaterial& material) {
    json.beginObject();
    json.key("name");
    json.string(material.name);
    json.key("maps");
    json.beginObject();
    for (int layer = 0; layer < SceneMaterial::kLayerCount; ++layer) {
        json.key(layerName(layer));
        if (material.layers[layer].present)
            json.string(material.layers[layer].fileName);
        else
            json.null();
    }
    json.endObject();
    json.key("transparency");
    json.number(material.transparency);
    json.key("flags");
    json.number(material.flags);
    json.endObject();
}

void writeNodeAt(JsonOut& json, const SceneNode& node) {
    json.key("position");
    if (node.parent != nullptr)
        json.vector(node.position);
    else
        json.null();  // outside the hierarchy: never moved
    const SceneCamera* camera = asCamera(node);
    if (camera == nullptr) return;
    json.key("roll");
    json.number(camera->roll);
    json.key("fov");
    json.number(camera->fieldOfView);
}

// Parent and target by name; the root's children have parent null, and so
// do nodes whose parent id matched nothing (see parentId).
void writeNode(JsonOut& json, const Scene& scene, const SceneNode& node,
               const SceneInfoRequest& request) {
    json.beginObject();
    json.key("name");
    json.string(node.name);
    json.key("kind");
    json.string(nodeKindName(node));
    json.key("id");
    json.number(node.id);
    json.key("parentId");
    json.number(node.parentId);
    json.key("parent");
    nameOrNull(json, scene, node.parent);
    json.key("targetId");
    json.number(node.targetId);
    json.key("target");
    nameOrNull(json, scene, node.target);
    json.key("keys");
    json.beginObject();
    for (const auto& [track, count] : keyCounts(node)) {
        json.key(track);
        json.number(double(count));
    }
    json.endObject();
    if (request.at) writeNodeAt(json, node);
    json.endObject();
}

void writeGroups(JsonOut& json, const SceneMesh& mesh) {
    json.key("faceGroups");
    json.beginArray();
    for (const FaceGroup& group : mesh.faceGroups) {
        json.beginObject();
        json.key("material");
        json.number(group.materialIndex);
        json.key("triangles");
        json.number(double(group.indices.size() / 3));
        json.endObject();
    }
    json.endArray();
}

void writeBounds(JsonOut& json, const SceneMesh& mesh) {
    json.key("bounds");
    json.beginObject();
    json.key("centre");
    json.vector(mesh.sphereCentre);
    json.key("min");
    json.vector(mesh.boxCorners[0]);
    json.key("max");
    json.vector(mesh.boxCorners[7]);
    json.endObject();
}

void writeMesh(JsonOut& json, const Scene& scene, const SceneMesh& mesh,
               const SceneInfoRequest& request) {
    const SceneMesh& geometry = mesh.geometry(scene);
    json.beginObject();
    json.key("name");
    json.string(mesh.name);
    json.key("instanceOf");
    if (mesh.isInstance)
        json.number(mesh.sourceIndex);
    else
        json.null();
    json.key("morph");
    json.boolean(geometry.isMorph);
    json.key("vertexCount");
    json.number(double(geometry.vertices.size()));
    writeGroups(json, geometry);
    json.key("frameCount");
    json.number(double(geometry.morphFrames.size()));
    writeBounds(json, mesh);
    if (request.at && mesh.isMorph) {
        json.key("vertices");
        json.beginArray();
        for (const SceneVertex& vertex : morphVerticesAt(mesh, *request.at))
            json.vector(vertex.position);
        json.endArray();
    }
    json.endObject();
}

}  // namespace

std::string sceneInfoJson(const Scene& scene, const SceneInfoRequest& request) {
    JsonOut json;
    json.beginObject();
    json.key("file");
    json.string(request.fileName);
    writeTiming(json, scene);
    json.key("materials");
    json.beginArray();
    for (const auto& material : scene.materials) writeMaterial(json, *material);
    json.endArray();
    json.key("nodes");
    json.beginArray();
    for (const auto& node : scene.nodes) writeNode(json, scene, *node, request);
    json.endArray();
    json.key("meshes");
    json.beginArray();
    for (const SceneMesh* mesh : scene.meshes) writeMesh(json, scene, *mesh, request);
    json.endArray();
    if (request.at) {
        json.key("at");
        json.number(*request.at);
    }
    json.endObject();
    return json.text() + "\n";
}
