// Where captured frames go: PNG files, a video, a comparison with a golden
// capture. The capture hands every frame to each sink in turn.
#pragma once

#include <cstdint>

// One frame read back from the back buffer: X8R8G8B8 rows, top row first
// (bytes B, G, R, X in memory), `pitch` bytes apart.
struct CapturedFrame {
    int index = 0;
    double demoTime = 0;
    int width = 0;
    int height = 0;
    const std::uint8_t* pixels = nullptr;
    int pitch = 0;
};

class FrameSink {
  public:
    virtual ~FrameSink() = default;
    // Before the first frame is rendered: false when the sink cannot work
    // (it has said why), and nothing is captured.
    virtual bool open() { return true; }
    // False when the frame could not be taken; the sink has said why, and the
    // capture stops.
    virtual bool write(const CapturedFrame& frame) = 0;
    // After the last frame, also after an interruption or a failed write:
    // `frames` were captured. False when the sink's output failed.
    virtual bool finish(int frames) = 0;
};
