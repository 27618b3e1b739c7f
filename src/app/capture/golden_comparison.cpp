#include "app/capture/golden_comparison.h"

#include <cmath>
#include <filesystem>
#include <regex>

#include "app/capture/frame_difference.h"
#include "app/capture/png_frames.h"
#include "platform/files/regular_file.h"

namespace {

constexpr std::uint64_t maxGoldenBytes = 256u << 20;

std::string diffPath(const std::string& dir, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "diff%05d.png", index);
    return (std::filesystem::path(dir) / name).string();
}

std::string frameName(int index) {
    return std::filesystem::path(framePath("", index)).filename().string();
}

bool sameFolder(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

GoldenComparison::GoldenComparison(std::string goldenDir, std::string outDir, double minPsnr,
                                   std::FILE* report)
    : goldenDir_(std::move(goldenDir)),
      outDir_(std::move(outDir)),
      minPsnr_(minPsnr),
      report_(report) {}

bool GoldenComparison::open() {
    std::error_code error;
    if (!std::filesystem::is_directory(goldenDir_, error)) {
        std::fprintf(stderr, "tessal-capture: %s: not a folder of golden frames\n",
                     goldenDir_.c_str());
        return false;
    }
    if (sameFolder(goldenDir_, outDir_)) {
        std::fprintf(stderr,
                     "tessal-capture: %s is the output folder: the capture would "
                     "overwrite the golden frames\n",
                     goldenDir_.c_str());
        return false;
    }
    return true;
}

// False when the golden frame has another size: a golden capture of another
// size says nothing about this one, so the capture stops.
bool GoldenComparison::write(const CapturedFrame& frame) {
    RgbImage golden;
    if (!readGolden(frame.index, golden)) return true;
    const RgbImage captured = rgbFromFrame(frame);
    if (golden.width != captured.width || golden.height != captured.height) {
        std::fprintf(stderr, "tessal-capture: %s/%s is %dx%d, the capture %dx%d\n",
                     goldenDir_.c_str(), frameName(frame.index).c_str(), golden.width,
                     golden.height, captured.width, captured.height);
        sizeMismatch_ = true;
        return false;
    }
    compare(frame.index, captured, golden);
    return true;
}

bool GoldenComparison::readGolden(int index, RgbImage& golden) {
    const std::string path = framePath(goldenDir_, index);
    FileError fileError = FileError::none;
    const auto bytes = readRegularFile(path, maxGoldenBytes, &fileError);
    std::string error;
    if (!bytes && fileError == FileError::missing) {
        std::fprintf(report_, "%s missing from %s\n", frameName(index).c_str(), goldenDir_.c_str());
        ++totals_.missing;
        return false;
    }
    if (!bytes || !decodeRgbPng(*bytes, golden, error)) {
        std::fprintf(stderr, "tessal-capture: %s: %s\n", path.c_str(),
                     bytes ? error.c_str() : describeFileError(fileError));
        ++totals_.unreadable;
        return false;
    }
    return true;
}

void GoldenComparison::compare(int index, const RgbImage& captured, const RgbImage& golden) {
    const double db = psnr(captured, golden);
    ++totals_.compared;
    if (totals_.lowestFrame < 0 || db < totals_.lowest) {
        totals_.lowest = db;
        totals_.lowestFrame = index;
    }
    if (std::isinf(db))
        std::fprintf(report_, "%s identical\n", frameName(index).c_str());
    else
        std::fprintf(report_, "%s %.2f dB\n", frameName(index).c_str(), db);
    if (db >= minPsnr_) return;
    ++totals_.below;
    writeRgbPng(diffPath(outDir_, index), differenceImage(captured, golden));
}

// Golden frames at or after `index`: frames the capture did not reach.
int GoldenComparison::countGoldenFramesFrom(int index) const {
    static const std::regex name("frame([0-9]{5})\\.png");
    int count = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(goldenDir_, error)) {
        std::smatch match;
        const std::string file = entry.path().filename().string();
        if (std::regex_match(file, match, name) && std::stoi(match[1]) >= index) ++count;
    }
    return count;
}

bool GoldenComparison::finish(int frames) {
    if (sizeMismatch_) return false;  // said already; a summary would only repeat it
    const int beyond = countGoldenFramesFrom(frames);
    if (beyond > 0)
        std::fprintf(report_, "%d golden frames from %s on missing from the capture\n", beyond,
                     frameName(frames).c_str());
    totals_.missing += beyond;
    printSummary();
    return totals_.below == 0 && totals_.missing == 0 && totals_.unreadable == 0;
}

void GoldenComparison::printSummary() const {
    std::fprintf(report_,
                 "tessal-capture: %d frames compared with %s: %d below %.1f dB, %d missing",
                 totals_.compared, goldenDir_.c_str(), totals_.below, minPsnr_, totals_.missing);
    if (totals_.unreadable > 0) std::fprintf(report_, ", %d unreadable", totals_.unreadable);
    if (totals_.lowestFrame >= 0 && !std::isinf(totals_.lowest))
        std::fprintf(report_, "; lowest %.2f dB at %s", totals_.lowest,
                     frameName(totals_.lowestFrame).c_str());
    std::fputc('\n', report_);
}
