// Files the reader refuses, and the chunk and offset it names: reads past a
// chunk, children outside their parent, indices out of range, chunks before
// their object, unusable packed meshes and parent cycles.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "scene/scene_reader.h"
#include "scene_test_support.h"

namespace {

using ::testing::HasSubstr;

std::vector<std::uint8_t> wrapped(void (*fill)(Y3dWriter&)) {
    Y3dWriter out;
    beginContainer(out);
    fill(out);
    return out.finish();
}

TEST(ReaderRejects, FilesTooShortOrChunksOfBadLength) {
    EXPECT_THAT(rejection({}).problem, HasSubstr("too short"));
    EXPECT_THAT(rejection({0x00, 0x10, 0x06, 0, 0}).problem, HasSubstr("too short"));
    // Length 4: shorter than its own header; reading on would loop.
    const SceneReadError tiny = rejection({0x00, 0x10, 0x04, 0, 0, 0});
    EXPECT_EQ(tiny.chunkId, 0x1000);
    EXPECT_THAT(tiny.problem, HasSubstr("shorter than a chunk header"));
    EXPECT_THAT(rejection({0x00, 0x10, 0x07, 0, 0, 0}).problem, HasSubstr("end of the file"));
}

TEST(ReaderRejects, AChildMustLieInsideItsParent) {
    Y3dWriter out;
    beginContainer(out);
    out.begin(0x7777);
    out.u32(0);
    out.end();
    std::vector<std::uint8_t> bytes = out.finish();
    bytes[8] = 20;  // the child claims more than the container has
    const SceneReadError error = rejection(bytes);
    EXPECT_EQ(error.chunkId, 0x7777);
    EXPECT_EQ(error.offset, 6u);
    EXPECT_THAT(error.problem, HasSubstr("past the end of its parent"));

    Y3dWriter stub;
    beginContainer(stub);
    stub.bytes(std::vector<std::uint8_t>{0, 0x10, 6});  // three bytes cannot be a child
    const SceneReadError leftover = rejection(stub.finish());
    EXPECT_EQ(leftover.chunkId, 0x1000);
    EXPECT_EQ(leftover.offset, 0u);
    EXPECT_THAT(leftover.problem, HasSubstr("3 bytes at offset 6"));
}

TEST(ReaderRejects, PayloadsThatRunPastTheirChunk) {
    Y3dWriter unterminated;
    unterminated.begin(Y3dChunk::Material);
    unterminated.bytes(std::vector<std::uint8_t>{'a', 'b'});
    EXPECT_THAT(rejection(unterminated.finish()).problem, HasSubstr("terminating zero"));

    Y3dWriter counted;
    beginMesh(counted);
    counted.begin(Y3dChunk::MeshVertices);
    counted.u32(1000000);  // a million vertices in a few bytes
    counted.f32(1);
    const SceneReadError error = rejection(counted.finish());
    EXPECT_EQ(error.chunkId, 0x3100);
    EXPECT_EQ(error.offset, 6u);
    EXPECT_THAT(error.problem, HasSubstr("count larger than what is left"));

    Y3dWriter cut;
    cut.begin(Y3dChunk::SceneTiming);
    cut.i32(1);
    EXPECT_THAT(rejection(cut.finish()).problem, HasSubstr("past the end of the chunk"));
}

TEST(ReaderRejects, ChunksThatAddToAnObjectBeforeAnyExists) {
    const std::pair<void (*)(Y3dWriter&), const char*> cases[] = {
        {[](Y3dWriter& out) { writeMaterialMap(out, 0, "a.png"); }, "before any material"},
        {[](Y3dWriter& out) { writeNodeHeader(out, nodeHeader("n", 1)); }, "before any node"},
        {[](Y3dWriter& out) { writeScaleTrack(out, {}); }, "before any node"},
        {[](Y3dWriter& out) { writeRotationTrack(out, {}); }, "before any node"},
        {[](Y3dWriter& out) { writeRollTrack(out, {}); }, "before any camera"},
        {[](Y3dWriter& out) { writeMeshVertices(out, {}); }, "before any mesh"},
        {[](Y3dWriter& out) { writeMeshFaceGroup(out, kY3dNoMaterial, {}); }, "before any mesh"},
        // A dummy is a node but not a camera.
        {[](Y3dWriter& out) {
             beginDummy(out);
             writeFieldOfViewTrack(out, {});
         },
         "before any camera"},
    };
    for (const auto& [fill, problem] : cases)
        EXPECT_THAT(rejection(wrapped(fill)).problem, HasSubstr(problem));
}

TEST(ReaderRejects, IndicesOutOfRange) {
    const std::pair<void (*)(Y3dWriter&), const char*> cases[] = {
        {[](Y3dWriter& out) {
             beginMaterial(out, {});
             writeMaterialMap(out, 4, "a.png");
         },
         "layer 4"},
        {[](Y3dWriter& out) {
             writeMesh(out, nodeHeader("m", 1), {{0, 0, 0}}, 0, {{0, 0, 0}});
         },
         "material 0 of 0"},
        {[](Y3dWriter& out) {
             writeMesh(out, nodeHeader("m", 1), {{0, 0, 0}}, kY3dNoMaterial, {{0, 1, 0}});
         },
         "vertex 1 of 1"},
        {[](Y3dWriter& out) { beginMeshInstance(out, 1); }, "source mesh 1 of 1"},
        {[](Y3dWriter& out) {
             beginMeshInstance(out, 1);
             out.end();
             beginMeshInstance(out, 0);
         },
         "is itself an instance"},
    };
    for (const auto& [fill, problem] : cases)
        EXPECT_THAT(rejection(wrapped(fill)).problem, HasSubstr(problem));
}

TEST(ReaderRejects, IndicesAreCheckedAgainstTheWholeFileNotWhatCameBefore) {
    Y3dWriter out;
    beginContainer(out);
    beginMesh(out);
    writeMeshFaceGroup(out, 0,
                       std::vector<Y3dTriangle>{{0, 1, 2}});  // before vertices and material
    writeMeshVertices(out, verticesAt({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
    out.end();
    beginMaterial(out, {});
    EXPECT_NE(readBytes(out.finish()), nullptr);
}

TEST(ReaderRejects, GeometryForMeshesThatCannotTakeIt) {
    Y3dWriter instance;
    beginContainer(instance);
    beginMesh(instance);
    instance.end();
    beginMeshInstance(instance, 0);
    writeMeshVertices(instance, verticesAt({{0, 0, 0}}));
    EXPECT_THAT(rejection(instance.finish()).problem, HasSubstr("vertices for a mesh instance"));

    Y3dWriter grouped;
    beginContainer(grouped);
    writeMesh(grouped, nodeHeader("m", 1), {{0, 0, 0}}, kY3dNoMaterial, {});
    beginMeshInstance(grouped, 0);
    writeMeshFaceGroup(grouped, kY3dNoMaterial, std::vector<Y3dTriangle>{{0, 0, 0}});
    EXPECT_THAT(rejection(grouped.finish()).problem, HasSubstr("face group for a mesh instance"));
}

TEST(ReaderRejects, NodesThatAreTheirOwnParentOrInAParentCycle) {
    Y3dWriter self;
    beginContainer(self);
    beginDummy(self);
    writeNodeHeader(self, nodeHeader("loop", 4, 4));
    const SceneReadError own = rejection(self.finish());
    EXPECT_EQ(own.chunkId, 0x4000);
    EXPECT_EQ(own.offset, 12u);
    EXPECT_THAT(own.problem, HasSubstr("its own parent"));

    Y3dWriter ring;
    beginContainer(ring);
    for (int id = 1; id <= 3; ++id) {
        beginDummy(ring);
        writeNodeHeader(ring, nodeHeader("n", id, id % 3 + 1));
        ring.end();
    }
    beginDummy(ring);  // hangs under the ring: not part of it
    writeNodeHeader(ring, nodeHeader("below", 9, 1));
    EXPECT_THAT(rejection(ring.finish()).problem, HasSubstr("parent cycle"));
}

TEST(ReaderRejects, ErrorsAreDescribedOnOneLine) {
    const SceneReadError error{0x3101, 42, "vertex 9 of 3"};
    EXPECT_EQ(describeSceneReadError(error, "intro.y3d"),
              "intro.y3d: chunk 0x3101 at offset 42: vertex 9 of 3");
}

}  // namespace
