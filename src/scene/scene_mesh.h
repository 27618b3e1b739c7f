// A mesh node: geometry (vertices, face groups, morph frames) with its
// device buffers and bounds, or, for an instance, a second placement of
// another mesh's geometry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/d3d8/d3d8.h"
#include "scene/face_group.h"
#include "scene/morph_frame.h"
#include "scene/scene_node.h"
#include "scene/scene_vertex.h"
#include "scene/view_frustum.h"

// What a morph mesh shows at one time: a single frame (`to` null), or the
// blend from `from` to `to` by `s`.
struct MorphPose {
    const MorphFrame* from = nullptr;
    const MorphFrame* to = nullptr;
    float s = 0;
};

class SceneMesh : public SceneNode {
  public:
    // Buffers are released by the buffer registry, not by the mesh.

    // Writes a frame's positions and normals, with the mesh's texture
    // coordinates, into the whole vertex buffer.
    virtual void refill(const MorphFrame& frame);
    // Brings the vertex buffer to scene time t: once per distinct time.
    virtual void updateMorph(float time);
    // Sphere centre, box corners and far corner of the geometry, in mesh space.
    virtual void computeBounds(const Scene& scene);
    // Bounds, then the vertex and index buffers; ready when all were made.
    virtual void createBuffers(const Scene& scene);
    // Sets `visible` unless the mesh's bounds, placed by its world matrix,
    // lie wholly outside the view volume.
    virtual void cull(const ViewFrustum& frustum);
    // Draws the face groups of one pass: 0 the opaque ones, 1 the
    // see-through ones; groups without a material in both.
    virtual void draw(Scene& scene, IDirect3DDevice8& device, int pass, float sceneTime);

    // The mesh whose geometry this one draws: itself, or an instance's source.
    const SceneMesh& geometry(const Scene& scene) const;
    SceneMesh& geometry(Scene& scene);
    // The frames that make the shape at time t (no frames: an empty pose).
    MorphPose poseAt(float time) const;
    // The vertices of a pose: positions and normals from the frames,
    // texture coordinates from the vertex array.
    void writePose(const MorphPose& pose, SceneVertex* out) const;

    bool isInstance = false;
    std::uint32_t sourceIndex = 0;  // an instance's source mesh index
    IDirect3DVertexBuffer8* vertexBuffer = nullptr;
    std::vector<FaceGroup> faceGroups;
    bool ready = false;
    D3DXVECTOR3 sphereCentre{0, 0, 0};
    D3DXVECTOR3 farCorner{0, 0, 0};
    // Corner i takes x from max when bit 0 is set, y bit 1, z bit 2; so
    // corner 0 is the minimum and corner 7 the maximum.
    std::array<D3DXVECTOR3, 8> boxCorners{};
    bool visible = false;
    bool isMorph = false;
    std::vector<SceneVertex> vertices;  // a morph mesh: frame 0
    std::vector<D3DXVECTOR2> textureCoordinates;
    std::vector<MorphFrame> morphFrames;
    float lastMorphTime = -1;

  private:
    bool fillVertexBuffer(const MorphPose& pose);
    void drawGroup(IDirect3DDevice8& device, const FaceGroup& group, UINT vertexCount);
};
