#include "node_plan.h"

#include <algorithm>
#include <cstring>

namespace {

template <typename Item>
const Item* namedAfter(Item* const* items, unsigned count, const aiNode& node) {
    for (unsigned i = 0; i < count; ++i)
        if (items[i]->mName == node.mName) return items[i];
    return nullptr;
}

class Planner {
  public:
    Planner(const aiScene& scene, const PoseSampler& poses, UniqueNames& names,
            std::int32_t& nextId)
        : scene_(scene), poses_(poses), names_(names), nextId_(nextId) {}

    NodePlan plan() {
        const aiNode& root = *scene_.mRootNode;
        if (isBareWrapper(root))
            for (unsigned i = 0; i < root.mNumChildren; ++i) visit(*root.mChildren[i], -1);
        else
            visit(root, -1);
        return std::move(plan_);
    }

  private:
    const aiLight* supportedLight(const aiNode& node) const {
        const aiLight* light = namedAfter(scene_.mLights, scene_.mNumLights, node);
        return light != nullptr && isSupportedLight(*light) ? light : nullptr;
    }

    const aiCamera* camera(const aiNode& node) const {
        return namedAfter(scene_.mCameras, scene_.mNumCameras, node);
    }

    bool holdsSomething(const aiNode& node) const {
        return !triangleMeshesOf(scene_, node).empty() || camera(node) != nullptr ||
               supportedLight(node) != nullptr;
    }

    bool isKept(const aiNode& node) const {
        if (holdsSomething(node) || poses_.channelOf(node) != nullptr) return true;
        for (unsigned i = 0; i < node.mNumChildren; ++i)
            if (isKept(*node.mChildren[i])) return true;
        return false;
    }

    bool isBareWrapper(const aiNode& root) const {
        return !holdsSomething(root) && poses_.channelOf(root) == nullptr &&
               root.mTransformation.IsIdentity();
    }

    PlannedKind kindOf(const PlannedNode& planned) const {
        if (planned.camera != nullptr) return PlannedKind::Camera;
        if (planned.light != nullptr) return PlannedKind::Light;
        return !triangleMeshesOf(scene_, *planned.node).empty() ? PlannedKind::Mesh
                                                                : PlannedKind::Dummy;
    }

    void count(const aiNode& node) {
        const aiLight* light = namedAfter(scene_.mLights, scene_.mNumLights, node);
        if (light != nullptr && !isSupportedLight(*light)) ++plan_.unsupportedLights;
        const aiCamera* cam = camera(node);
        if (cam != nullptr && cam->mOrthographicWidth > 0) ++plan_.orthographicCameras;
    }

    void visit(const aiNode& node, std::int32_t parentId) {
        count(node);
        if (!isKept(node)) return;
        PlannedNode planned;
        planned.node = &node;
        planned.camera = camera(node);
        planned.light = planned.camera == nullptr ? supportedLight(node) : nullptr;
        planned.kind = kindOf(planned);
        planned.name = names_.claim(node.mName.length > 0 ? node.mName.C_Str() : "node");
        planned.id = nextId_++;
        planned.parentId = parentId;
        plan_.nodes.push_back(planned);
        for (unsigned i = 0; i < node.mNumChildren; ++i) visit(*node.mChildren[i], planned.id);
    }

    const aiScene& scene_;
    const PoseSampler& poses_;
    UniqueNames& names_;
    std::int32_t& nextId_;
    NodePlan plan_;
};

}  // namespace

std::string UniqueNames::claim(const std::string& wanted) {
    std::string name = wanted;
    for (int n = 2; taken_.count(name) != 0; ++n) name = wanted + "#" + std::to_string(n);
    taken_.insert(name);
    return name;
}

bool isSupportedLight(const aiLight& light) {
    return light.mType == aiLightSource_POINT || light.mType == aiLightSource_SPOT ||
           light.mType == aiLightSource_DIRECTIONAL;
}

// By its faces: the primitive types may name kinds the mesh lacks.
bool holdsTriangles(const aiMesh& mesh) {
    return (mesh.mPrimitiveTypes & aiPrimitiveType_TRIANGLE) != 0 &&
           std::any_of(mesh.mFaces, mesh.mFaces + mesh.mNumFaces,
                       [](const aiFace& face) { return face.mNumIndices == 3; });
}

std::vector<unsigned> triangleMeshesOf(const aiScene& scene, const aiNode& node) {
    std::vector<unsigned> meshes;
    for (unsigned i = 0; i < node.mNumMeshes; ++i)
        if (holdsTriangles(*scene.mMeshes[node.mMeshes[i]])) meshes.push_back(node.mMeshes[i]);
    return meshes;
}

NodePlan planNodes(const aiScene& scene, const PoseSampler& poses, UniqueNames& names,
                   std::int32_t& nextId) {
    return Planner(scene, poses, names, nextId).plan();
}
