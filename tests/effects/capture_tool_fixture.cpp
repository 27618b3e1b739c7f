#include "capture_tool_fixture.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

const std::string captureTool = std::string(TESSAL_BINARY_DIR) + "/tools/tessal-capture";

namespace {

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i)));
}

}  // namespace

std::string bmpFile(unsigned width, unsigned height, DWORD (*colour)(unsigned x, unsigned y)) {
    const unsigned stride = (width * 3 + 3) / 4 * 4;
    std::string out = "BM";
    put(out, 54 + stride * height, 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, width, 4);
    put(out, height, 4);
    put(out, 1, 2);
    put(out, 24, 2);
    out.append(24, '\0');
    for (unsigned row = 0; row < height; ++row) {
        for (unsigned x = 0; x < width; ++x) put(out, colour(x, height - 1 - row), 3);
        out.append(stride - width * 3, '\0');
    }
    return out;
}

void CaptureToolRender::SetUp() {
    dir = fs::temp_directory_path() /
          ("tessal_capture_render_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "data");
}

void CaptureToolRender::TearDown() {
    fs::remove_all(dir);
}

void CaptureToolRender::write(const std::string& name, const std::string& contents) {
    std::ofstream(dir / name, std::ios::binary) << contents;
}

int CaptureToolRender::capture(float to, int fps, const std::string& extraOptions) {
    const std::string command = "cd '" + dir.string() + "' && SDL_VIDEODRIVER=offscreen '" +
                                captureTool + "' . --to " + std::to_string(to) + " --fps " +
                                std::to_string(fps) + " --size 64x48 --out frames " + extraOptions +
                                " > log.txt 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

DecodedImage CaptureToolRender::frame(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "frames/frame%05d.png", index);
    std::ifstream file(dir / name, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    DecodedImage image;
    EXPECT_TRUE(decodePng(bytes, ImageLimits{}, image)) << name;
    return image;
}

::testing::AssertionResult near(const DecodedImage& image, unsigned x, unsigned y, DWORD rgb,
                                int tolerance) {
    const DWORD pixel = image.pixels[std::size_t(y) * image.width + x];
    for (int shift : {0, 8, 16}) {
        const int got = int((pixel >> shift) & 0xff), want = int((rgb >> shift) & 0xff);
        if (std::abs(got - want) > tolerance)
            return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is "
                                                 << std::hex << pixel << ", not near " << rgb;
    }
    return ::testing::AssertionSuccess();
}
