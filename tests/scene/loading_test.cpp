// Loading scenes by name from the data directory: messages for missing and
// rejected files, registration under the given name, and preparation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "media/data_access.h"
#include "media/texture_store.h"
#include "scene/scene_loading.h"
#include "scene_test_support.h"

namespace {

namespace fs = std::filesystem;

class CountingTextures : public SceneTextureSource {
  public:
    int loadTexture(const std::string& name) override {
        loaded.push_back(name);
        return int(loaded.size()) - 1;
    }
    int loadAlphaTexture(const std::string& name, const std::string&) override {
        return loadTexture(name);
    }
    std::vector<std::string> loaded;
};

// A data/ directory of its own, made the working directory for the test.
class SceneLoading : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = fs::current_path();
        root =
            fs::temp_directory_path() /
            ("tessal-scene-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root / "data" / "scenes");
        fs::current_path(root);
        DataAccess::unpackedMode = true;
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(root);
    }
    void writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream file(root / "data" / name, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    Scene* load(const std::string& name) { return loadScene(name, registry, textures); }

    fs::path previous, root;
    SceneRegistry registry;
    CountingTextures textures;
};

std::vector<std::uint8_t> texturedScene(const char* texture) {
    Y3dWriter out;
    beginContainer(out);
    beginMaterial(out, {});
    writeMaterialMap(out, 0, texture);
    out.end();
    beginDummy(out);
    writeNodeHeader(out, nodeHeader("pivot", 1));
    writePositionTrack(out, std::vector<Y3dVectorKey>{{10, {1, 0, 0}}, {0, {0, 0, 0}}});
    return out.finish();
}

TEST_F(SceneLoading, AMissingFileIsReportedWithItsPathAndNothingIsRegistered) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(load("none.y3d"), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Couldn't open scene data/none.y3d, does file exist?\n");
    EXPECT_EQ(registry.size(), 0u);
}

TEST_F(SceneLoading, ARejectedFileIsReportedOnOneLineAndNothingIsRegistered) {
    std::vector<std::uint8_t> bytes = texturedScene("a.png");
    bytes.resize(bytes.size() - 3);  // cuts the last track short
    writeFile("cut.y3d", bytes);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(load("cut.y3d"), nullptr);
    const std::string message = ::testing::internal::GetCapturedStdout();
    EXPECT_THAT(message, ::testing::StartsWith("cut.y3d: chunk 0x"));
    EXPECT_EQ(message.back(), '\n');
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    EXPECT_EQ(registry.size(), 0u);
    EXPECT_TRUE(textures.loaded.empty());
}

TEST_F(SceneLoading, AnEmptyFileIsRefusedByTheReaderNotReportedMissing) {
    writeFile("empty.y3d", {});
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(load("empty.y3d"), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "empty.y3d: chunk 0x0000 at offset 0: the file is too short for a chunk header\n");
}

TEST_F(SceneLoading, ALoadedSceneIsRegisteredUnderItsNameAndPrepared) {
    writeFile("scenes/Intro.y3d", texturedScene("wood.png"));
    CurrentRecordingDevice device;
    Scene* scene = load("scenes\\Intro.y3d");  // a Windows-style name from a script
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->name, "scenes\\Intro.y3d");
    EXPECT_EQ(registry.findScene("scenes\\Intro.y3d"), scene);
    EXPECT_EQ(registry.findScene("scenes\\intro.y3d"), nullptr);
    EXPECT_EQ(textures.loaded, (std::vector<std::string>{"wood.png"}));
    EXPECT_EQ(scene->materials[0]->layers[0].textureIndex, 0);
    EXPECT_EQ(scene->nodes[0]->positionTrack.keys()[0].time, 0);  // sorted
}

// A 2 × 2 24-bit BMP of one colour.
std::vector<std::uint8_t> plainBmp(std::uint8_t red) {
    std::vector<std::uint8_t> bmp = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                                     0,   0,   0,  2, 0, 0, 0, 2, 0, 0, 0,  1, 0, 24, 0};
    bmp.resize(54, 0);
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 2; ++x) bmp.insert(bmp.end(), {0, 0, red});
        bmp.insert(bmp.end(), {0, 0});  // rows padded to four bytes
    }
    return bmp;
}

TEST_F(SceneLoading, TheProcessWideLoaderBindsMaterialsThroughTheTextureStore) {
    writeFile("wood.bmp", plainBmp(200));
    writeFile("mask.bmp", plainBmp(0));
    Y3dWriter out;
    beginContainer(out);
    beginMaterial(out, {});
    writeMaterialMap(out, 0, "wood.bmp");
    writeMaterialMap(out, 1, "mask.bmp");
    out.end();
    beginMaterial(out, {});
    writeMaterialMap(out, 2, "wood.bmp");  // the same file: the texture already loaded
    out.end();
    writeFile("textured.y3d", out.finish());
    CurrentRecordingDevice device;
    Scene* scene = loadScene("textured.y3d");
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(sceneRegistry().findScene("textured.y3d"), scene);
    const int wood = textureStore().find("wood.bmp");
    ASSERT_GE(wood, 0);
    EXPECT_EQ(textureStore().entry(wood).kind, textureKindAlpha);
    EXPECT_EQ(scene->materials[0]->layers[0].textureIndex, wood);
    EXPECT_EQ(scene->materials[1]->layers[2].textureIndex, wood);
    EXPECT_EQ(textureStore().find("mask.bmp"), -1);  // only merged into wood's alpha
    textureStore().clear();
}

TEST_F(SceneLoading, LoadingANameTwiceRegistersTwoAndFindSceneGivesTheFirst) {
    writeFile("twice.y3d", texturedScene("a.png"));
    Scene* first = load("twice.y3d");
    Scene* second = load("twice.y3d");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(registry.size(), 2u);
    EXPECT_EQ(registry.findScene("twice.y3d"), first);
}

}  // namespace
