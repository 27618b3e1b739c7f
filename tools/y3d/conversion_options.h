// What `tessal-y3d convert` is asked to do beyond reading its input.
#pragma once

#include <string>

struct ConversionOptions {
    float scale = 1;             // scene units per metre (per unit if unitless)
    float framesPerSecond = 30;  // scene frames per second of input time
    // Without a camera in the input, adds a camera "Camera" aimed at the
    // model's centre from the front and a point light "Light".
    bool addCamera = true;
    std::string inputFolder;  // textures are named relative to it
};
