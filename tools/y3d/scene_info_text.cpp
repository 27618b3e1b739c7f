// The text form of `tessal-y3d info`.
#include <cstdarg>
#include <cstdio>

#include "scene_info.h"
#include "scene_info_parts.h"

namespace {

// Indentation grows with depth up to a limit, so very deep trees stay readable.
constexpr std::size_t kMaxIndent = 24;

void append(std::string& out, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out += line;
}

void appendVector(std::string& out, const D3DXVECTOR3& v) {
    append(out, "(%g, %g, %g)", v.x, v.y, v.z);
}

void appendMaterials(std::string& out, const Scene& scene) {
    append(out, "materials: %zu\n", scene.materials.size());
    for (std::size_t i = 0; i < scene.materials.size(); ++i) {
        const SceneMaterial& m = *scene.materials[i];
        append(out, "  [%zu] \"%s\"  transparency %g  shininess %g  flags 0x%x", i, m.name.c_str(),
               m.transparency, m.shininess, unsigned(m.flags));
        for (int layer = 0; layer < SceneMaterial::kLayerCount; ++layer)
            if (m.layers[layer].present)
                append(out, "  %s map %s", layerName(layer), m.layers[layer].fileName.c_str());
        out += '\n';
    }
}

void appendTarget(std::string& out, const SceneNode& node) {
    if (node.target != nullptr)
        append(out, "  target \"%s\"", node.target->name.c_str());
    else if (node.targetId != -1)
        append(out, "  target id %d (no such node)", int(node.targetId));
}

void appendNodeAt(std::string& out, const SceneNode& node) {
    out += "  at ";
    appendVector(out, node.position);
    if (const SceneCamera* camera = asCamera(node))
        append(out, "  roll %g  fov %g", camera->roll, camera->fieldOfView);
}

void appendNode(std::string& out, const PlacedNode& placed, const SceneInfoRequest& request) {
    const SceneNode& node = *placed.node;
    out.append(2 * std::min(placed.depth, kMaxIndent), ' ');
    append(out, "%s \"%s\" id %d", nodeKindName(node), node.name.c_str(), int(node.id));
    if (placed.outside && placed.depth == 1) append(out, "  parent id %d", int(node.parentId));
    appendTarget(out, node);
    out += "  keys";
    for (const auto& [track, count] : keyCounts(node)) append(out, " %s %zu", track, count);
    if (request.at && !placed.outside) appendNodeAt(out, node);
    out += '\n';
}

void appendNodes(std::string& out, const Scene& scene, const SceneInfoRequest& request) {
    append(out, "nodes: %zu\n", scene.nodes.size());
    bool outsideShown = false;
    for (const PlacedNode& placed : nodeTree(scene)) {
        if (placed.outside && !outsideShown) {
            out += " outside the hierarchy (never moved):\n";
            outsideShown = true;
        }
        appendNode(out, placed, request);
    }
}

void appendGroups(std::string& out, const SceneMesh& mesh) {
    append(out, ", %zu face groups", mesh.faceGroups.size());
    const char* separator = " (";
    for (const FaceGroup& group : mesh.faceGroups) {
        out += separator;
        if (group.materialIndex < 0)
            out += "no material";
        else
            append(out, "material %d", int(group.materialIndex));
        append(out, ": %zu triangles", group.indices.size() / 3);
        separator = "; ";
    }
    if (!mesh.faceGroups.empty()) out += ')';
}

void appendMesh(std::string& out, const Scene& scene, std::size_t index,
                const SceneInfoRequest& request) {
    const SceneMesh& mesh = *scene.meshes[index];
    append(out, "  [%zu] \"%s\": ", index, mesh.name.c_str());
    if (mesh.isInstance)
        append(out, "instance of [%u] \"%s\"", unsigned(mesh.sourceIndex),
               scene.meshes[mesh.sourceIndex]->name.c_str());
    else
        append(out, "%s%zu vertices", mesh.isMorph ? "morphing, " : "", mesh.vertices.size());
    if (!mesh.isInstance) appendGroups(out, mesh);
    if (mesh.isMorph) append(out, ", %zu frames", mesh.morphFrames.size());
    out += "\n      bounds centre ";
    appendVector(out, mesh.sphereCentre);
    out += " min ";
    appendVector(out, mesh.boxCorners[0]);
    out += " max ";
    appendVector(out, mesh.boxCorners[7]);
    out += '\n';
    if (!request.at || !mesh.isMorph) return;
    append(out, "      vertices at %g:\n", *request.at);
    const std::vector<SceneVertex> vertices = morphVerticesAt(mesh, *request.at);
    for (std::size_t v = 0; v < vertices.size(); ++v) {
        append(out, "        %zu ", v);
        appendVector(out, vertices[v].position);
        out += '\n';
    }
}

}  // namespace

std::string sceneInfoText(const Scene& scene, const SceneInfoRequest& request) {
    std::string out = request.fileName + "\n";
    append(out, "timing: first %d, length %d frames, %d ticks per frame\n", int(scene.timingFirst),
           int(scene.length), int(scene.ticksPerFrame));
    appendMaterials(out, scene);
    appendNodes(out, scene, request);
    append(out, "meshes: %zu\n", scene.meshes.size());
    for (std::size_t i = 0; i < scene.meshes.size(); ++i) appendMesh(out, scene, i, request);
    if (request.at) append(out, "(positions in world space at scene time %g)\n", *request.at);
    return out;
}
