// The state of one conversion, shared by the files that write its parts.
#pragma once

#include <memory>

#include "node_plan.h"
#include "node_tracks.h"
#include "pose_sampler.h"
#include "scene/y3d_chunk_writers.h"
#include "scene_conversion.h"

class SceneConverter {
  public:
    SceneConverter(const aiScene& scene, const ConversionOptions& options,
                   const std::string& embeddedStem);
    ConversionResult convert();

  private:
    bool checkInput();
    const aiAnimation* chooseAnimation();
    std::int32_t lengthInFrames();
    void writeMaterials(const std::vector<ConvertedMaterial>& materials);
    void writeNode(const PlannedNode& planned);
    void writeMeshParts(const PlannedNode& planned, bool firstIsNode);
    void writeHeader(const std::string& name, std::int32_t id, std::int32_t parentId,
                     std::int32_t targetId, const aiNode* node);
    void writeTracks(const aiNode* node);
    void writeStill(const std::string& name, std::int32_t id, std::int32_t parentId,
                    std::int32_t targetId, D3DXVECTOR3 at);
    void writeCamera(const PlannedNode& planned);
    void writeLight(const PlannedNode& planned);
    void writeRoll(const PlannedNode& planned);
    void writeTarget(const PlannedNode& planned, std::int32_t id, const aiVector3D& direction,
                     float distance);
    float rollAt(const PlannedNode& planned, double seconds) const;
    void writeAddedViewers();
    bool deformsAny(const aiNode& node) const;
    void shareMorphBudget(const NodePlan& plan);
    bool writeMorphMesh(const PlannedNode& planned);
    void bakeMorphFrames(const PlannedNode& planned, const std::vector<unsigned>& meshes,
                         Y3dPackedMesh& packed);

    const aiScene& scene_;
    const ConversionOptions& options_;
    const std::string& embeddedStem_;
    std::unique_ptr<aiAnimation> cleanedAnimation_;
    const aiAnimation* animation_ = nullptr;  // the cleaned one
    PoseSampler poses_{scene_, nullptr};
    SceneClock clock_;
    std::int32_t length_ = 1;
    std::uint64_t morphBudget_ = 0;  // frames × vertex slots per morphing mesh
    UniqueNames names_;
    std::int32_t nextId_ = 1;
    Y3dWriter out_;
    ConversionResult result_;
};
