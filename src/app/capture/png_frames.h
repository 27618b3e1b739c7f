// The capture's PNG files: frame00000.png, ... in the output folder.
#pragma once

#include <string>

#include "app/capture/frame_sink.h"

std::string framePath(const std::string& dir, int index);

class PngFrames : public FrameSink {
  public:
    explicit PngFrames(std::string outDir) : outDir_(std::move(outDir)) {}
    bool write(const CapturedFrame& frame) override;
    bool finish(int) override { return true; }

  private:
    std::string outDir_;
};
