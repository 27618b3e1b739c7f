// The banner (see banner_model.h) as a glTF 2.0 file with its buffer
// inline: the skinned cloth and the pole under a swaying mast, the bone
// chain, a camera "BannerView", two directional lights, and the cloth's
// colour map named by file name (stripes.bmp, from the production's data).
#pragma once

#include <string>

std::string buildBannerGltf();
