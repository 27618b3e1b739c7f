// Regression captures of the sample production: a capture compared with
// itself passes; one golden frame changed fails with one difference image.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "app/capture/frame_difference.h"
#include "production_dir.h"

namespace {

const std::string capture = std::string(TESSAL_BINARY_DIR) + "/tools/tessal-capture";
const std::string demo = std::string(TESSAL_SOURCE_DIR) + "/demo";

CommandResult captureDemo(const std::filesystem::path& dir, const std::string& out,
                          const std::string& more = "") {
    return runIn(dir, capture + " " + demo + " --from 12 --to 13 --fps 2 --size 160x120 --out " +
                          out + " " + more);
}

int countFiles(const std::filesystem::path& dir, const std::string& prefix) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        count += entry.path().filename().string().rfind(prefix, 0) == 0;
    return count;
}

TEST(GoldenCompare, SameCapturePassesAndOneChangedFrameFails) {
    ProductionDir work;
    ASSERT_EQ(captureDemo(work.path, "golden").exitCode, 0);
    ASSERT_EQ(countFiles(work.path / "golden", "frame"), 3);

    const CommandResult same = captureDemo(work.path, "again", "--compare golden");
    EXPECT_EQ(same.exitCode, 0) << same.output;
    EXPECT_EQ(countFiles(work.path / "again", "diff"), 0);

    // Frame 1 of the golden capture replaced by frame 0: the demo moves.
    std::filesystem::copy_file(work.path / "golden/frame00000.png",
                               work.path / "golden/frame00001.png",
                               std::filesystem::copy_options::overwrite_existing);
    const CommandResult changed = captureDemo(work.path, "changed", "--compare golden");
    EXPECT_EQ(changed.exitCode, 1) << changed.output;
    EXPECT_TRUE(std::filesystem::exists(work.path / "changed/diff00001.png"));
    EXPECT_EQ(countFiles(work.path / "changed", "diff"), 1);
}

TEST(GoldenCompare, GoldenOfAnotherSizeOrMissingFramesFail) {
    ProductionDir work;
    ASSERT_EQ(captureDemo(work.path, "golden").exitCode, 0);
    EXPECT_EQ(runIn(work.path, capture + " " + demo +
                                   " --from 12 --to 13 --fps 2 --size 80x60 --out small "
                                   "--compare golden")
                  .exitCode,
              1);
    std::filesystem::remove(work.path / "golden/frame00002.png");
    EXPECT_EQ(captureDemo(work.path, "fewer", "--compare golden").exitCode, 1);
}

TEST(FramePsnr, KnownErrorsGiveTheirDecibels) {
    RgbImage a{2, 1, {10, 20, 30, 40, 50, 60}};
    RgbImage b = a;
    EXPECT_TRUE(std::isinf(psnr(a, b)));
    for (auto& sample : b.rgb) ++sample;  // mean square error 1
    EXPECT_NEAR(psnr(a, b), 48.13, 0.01);
    b.rgb[0] += 15;  // squares 6 - 1 + 256 over 6 samples
    EXPECT_NEAR(psnr(a, b), 10 * std::log10(255.0 * 255.0 / (261.0 / 6)), 1e-9);
}

}  // namespace
