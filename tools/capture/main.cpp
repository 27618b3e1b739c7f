// tessal-capture: plays a production with a fixed time step and writes
// every frame as a PNG file, or a video with the music, or both.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/capture/capture_options.h"
#include "app/capture/capture_session.h"

int main(int argc, char** argv) {
    CaptureOptions options;
    int exitCode = parseCaptureOptions(argc, argv, options);
    if (exitCode >= 0) return exitCode;
    std::error_code error;
    // Paths on the command line are relative to where the tool was started,
    // not to the production it enters.
    options.outDir = std::filesystem::absolute(options.outDir, error).string();
    if (!options.goldenDir.empty())
        options.goldenDir = std::filesystem::absolute(options.goldenDir, error).string();
    if (!options.video.empty())
        options.video = std::filesystem::absolute(options.video, error).string();
    if (chdir(options.productionDir.c_str()) != 0) {
        std::fprintf(stderr, "tessal-capture: cannot enter %s\n", options.productionDir.c_str());
        return 2;
    }
    return runCapture(options);
}
