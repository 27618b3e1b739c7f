// Regression captures: every captured frame compared with the frame of the
// same name in a golden capture, a difference image for each frame that
// fell below the threshold, and a summary.
#pragma once

#include <cstdio>
#include <string>

#include "app/capture/frame_sink.h"
#include "app/capture/rgb_image.h"

struct ComparisonTotals {
    int compared = 0;
    int below = 0;    // frames under the threshold
    int missing = 0;  // frames on one side only
    int unreadable = 0;
    double lowest = 0;
    int lowestFrame = -1;
};

class GoldenComparison : public FrameSink {
  public:
    GoldenComparison(std::string goldenDir, std::string outDir, double minPsnr,
                     std::FILE* report = stdout);
    bool open() override;
    bool write(const CapturedFrame& frame) override;
    bool finish(int frames) override;
    const ComparisonTotals& totals() const { return totals_; }

  private:
    bool readGolden(int index, RgbImage& golden);
    void compare(int index, const RgbImage& captured, const RgbImage& golden);
    int countGoldenFramesFrom(int index) const;
    void printSummary() const;

    std::string goldenDir_;
    std::string outDir_;
    double minPsnr_;
    std::FILE* report_;
    ComparisonTotals totals_;
    bool sizeMismatch_ = false;
};
