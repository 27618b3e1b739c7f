// Command line of tessal-capture.
#pragma once

#include <optional>
#include <string>

struct CaptureOptions {
    std::string productionDir;
    float from = 0;
    std::optional<float> to;  // default: the script's end time
    int fps = 30;
    int width = 640;
    int height = 480;
    std::string outDir = "capture";
    bool overlay = false;    // draw the statistics overlay of unpacked mode
    std::string goldenDir;   // --compare: a previous capture to compare each frame with
    double minPsnr = 40;     // frames below this many dB get a difference image
    std::string video;       // a video file to write as well; empty: none
    std::optional<int> crf;  // the video's quality; default: visually lossless
    bool noFrames = false;   // with a video: no PNG frames and no music.wav
};

// Parses argv into options. Returns -1 to go on, or the exit code to end
// with: 0 after --help, 2 after one clear message about bad input.
int parseCaptureOptions(int argc, char** argv, CaptureOptions& options);
