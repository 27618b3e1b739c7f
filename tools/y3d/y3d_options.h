// The command line of tessal-y3d.
#pragma once

#include <optional>
#include <string>

enum class Y3dCommand { Info, Convert, Help };

struct Y3dToolOptions {
    Y3dCommand command = Y3dCommand::Help;
    std::optional<float> at;     // info --at: the scene time in ticks
    bool json = false;           // info --json
    float scale = 1;             // convert --scale
    float framesPerSecond = 30;  // convert --fps
    bool addCamera = true;       // convert: a camera and a light unless --no-camera
    bool dryRun = false;         // convert --dry-run: report only
    std::string copyTexturesTo;  // convert --copy-textures DIR
    std::string input;
    std::string output;  // convert
};

// Fills options; on a usage error returns false with a one-line message.
bool parseY3dOptions(int argc, char** argv, Y3dToolOptions& options, std::string& error);

const char* y3dUsage();
