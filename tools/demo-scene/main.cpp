// tessal-demo-scene: builds the sample production's 3D scene from formulas
// and writes it as a y3d file; with --gltf, writes the banner model as the
// glTF file that tessal-y3d convert turns into the production's second scene.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "banner_gltf.h"
#include "demo_scene.h"

namespace {

const char* const kUsage =
    "usage: tessal-demo-scene OUTDIR\n"
    "       tessal-demo-scene --gltf OUTDIR\n"
    "Writes scene.y3d, the sample production's 3D scene, into OUTDIR; with\n"
    "--gltf, writes banner.gltf, the model of its banner, instead.\n"
    "To make it again after changing the tool, from the repository root:\n"
    "  build/tools/tessal-demo-scene demo/data\n"
    "and check it with: build/tools/tessal-y3d info demo/data/scene.y3d\n"
    "The scene's textures (backdrop.jpg, stripes.bmp, star.tga, glass.png,\n"
    "sky.jpg) come from tessal-demo-images.\n"
    "The banner is made and converted with:\n"
    "  build/tools/tessal-demo-scene --gltf demo/models\n"
    "  build/tools/tessal-y3d convert demo/models/banner.gltf demo/data/banner.y3d\n";

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    return bool(file);
}

int writeScene(const std::filesystem::path& dir) {
    const std::filesystem::path path = dir / "scene.y3d";
    DemoSceneFile scene;
    try {
        scene = buildDemoScene();
    } catch (const std::exception& problem) {
        std::fprintf(stderr, "tessal-demo-scene: cannot build the scene: %s\n", problem.what());
        return 1;
    }
    if (!writeFile(path, scene.bytes)) {
        std::fprintf(stderr, "tessal-demo-scene: cannot write %s\n", path.string().c_str());
        return 1;
    }
    std::printf("%s: %zu meshes, %zu vertices, %zu triangles, %zu bytes\n", path.string().c_str(),
                scene.meshes, scene.vertices, scene.triangles, scene.bytes.size());
    return 0;
}

int writeBanner(const std::filesystem::path& dir) {
    const std::filesystem::path path = dir / "banner.gltf";
    const std::string text = buildBannerGltf();
    if (!writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()))) {
        std::fprintf(stderr, "tessal-demo-scene: cannot write %s\n", path.string().c_str());
        return 1;
    }
    std::printf("%s: %zu bytes\n", path.string().c_str(), text.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool gltf = argc == 3 && std::strcmp(argv[1], "--gltf") == 0;
    if ((argc != 2 && !gltf) || std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, argc == 2 ? stdout : stderr);
        return argc == 2 ? 0 : 2;
    }
    const std::filesystem::path dir = argv[argc - 1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    return gltf ? writeBanner(dir) : writeScene(dir);
}
