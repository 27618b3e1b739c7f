// Frames captured on the OpenGL backend follow the layer time line: each
// test layer fills the frame with its own colour while one of its intervals
// holds the demo time; outside them the frame shows the clear colour.
#include <gtest/gtest.h>
#include <png.h>

#include <memory>
#include <vector>

#include "app/capture/capture_session.h"
#include "app/current_device.h"
#include "app/effect_modules.h"
#include "app/script_args.h"
#include "production_dir.h"

namespace {

// layer(7, r, g, b): fills the whole target with that colour when drawn.
class FillEffect : public Effect {
  public:
    int typeId() override { return 7; }
    bool init(int stage, lua_State* L) override {
        if (stage == 0)
            colour = 0xff000000u | unsigned(integerArg(L, 2)) << 16 |
                     unsigned(integerArg(L, 3)) << 8 | unsigned(integerArg(L, 4));
        return true;
    }
    void render(float, float) override {
        currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
    }
    void releaseDeviceResources(int) override {}
    D3DCOLOR colour = 0;
};

class FillModule : public EffectModule {
  public:
    void registerScriptFunctions(lua_State*) override {}
    int effectTypeCount() override { return 1; }
    int effectTypeId(int) override { return 7; }
    std::unique_ptr<Effect> createEffect(int) override { return std::make_unique<FillEffect>(); }
};

class FillCaptureApp : public CaptureApp {
  public:
    HRESULT onAppInit() override {
        HRESULT result = CaptureApp::onAppInit();
        effectModules().push_back(&module);
        return result;
    }
    ~FillCaptureApp() override { effectModules().clear(); }
    FillModule module;
};

// The centre pixel of a captured frame as 0xRRGGBB, or -1 when unreadable.
long centrePixel(const std::filesystem::path& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return -1;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return -1;
    std::size_t at = (std::size_t(image.height / 2) * image.width + image.width / 2) * 3;
    return long(pixels[at]) << 16 | long(pixels[at + 1]) << 8 | pixels[at + 2];
}

std::filesystem::path frameFile(const std::filesystem::path& dir, int k) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%05d.png", k);
    return dir / name;
}

TEST(CaptureTimeline, FrameColoursFollowTheLayerIntervals) {
    ProductionDir production;
    production.write("data/script.lua",
                     "setclearcolor(0, 0, 255, 255)\n"
                     "setendtime(10)\n"
                     "red = layer(7, 255, 0, 0)\n"
                     "start(1, red) stop(2, red)\n"
                     "start(3, red) stop(3.5, red)\n"
                     "green = layer(7, 0, 255, 0)\n"
                     "start(1.5, green) stop(2.5, green)\n");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(production.path);
    CaptureOptions options;
    options.from = 0;
    options.to = 4;
    options.fps = 2;
    options.width = 32;
    options.height = 24;
    options.outDir = (production.path / "frames").string();
    FillCaptureApp app;
    int exitCode = runCapture(options, app);
    std::filesystem::current_path(previous);
    ASSERT_EQ(0, exitCode);

    const long blue = 0x0000ff, red = 0xff0000, green = 0x00ff00;
    // t = 0, 0.5, ..., 4: the later layer (green) draws over the earlier one;
    // interval ends are inclusive.
    const long expected[] = {blue, blue, red, green, green, green, red, red, blue};
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(expected[k], centrePixel(frameFile(options.outDir, k))) << "t = " << k * 0.5;
    EXPECT_FALSE(std::filesystem::exists(frameFile(options.outDir, 9)));
}

TEST(CaptureTimeline, StopsAtTheEndTimeAndHonoursTheStartTime) {
    ProductionDir production;
    production.write("data/script.lua",
                     "setstarttime(30)\nsetendtime(31)\nsetclearcolor(0, 0, 0, 0)\n"
                     "l = layer(7, 255, 0, 0)\nstart(30.5, l) stop(40, l)\n");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(production.path);
    CaptureOptions options;
    options.from = 30;
    options.to = 32;
    options.fps = 2;
    options.width = 16;
    options.height = 16;
    options.outDir = (production.path / "frames").string();
    FillCaptureApp app;
    int exitCode = runCapture(options, app);
    std::filesystem::current_path(previous);
    ASSERT_EQ(0, exitCode);
    EXPECT_EQ(0, centrePixel(frameFile(options.outDir, 0)));  // transparent black, drawn opaque
    EXPECT_EQ(0xff0000, centrePixel(frameFile(options.outDir, 1)));
    EXPECT_EQ(0xff0000, centrePixel(frameFile(options.outDir, 2)));       // t = 31: equality plays
    EXPECT_FALSE(std::filesystem::exists(frameFile(options.outDir, 3)));  // t = 31.5 > end
}

}  // namespace
