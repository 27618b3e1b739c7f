// How far a captured frame is from its golden copy.
#pragma once

#include "app/capture/rgb_image.h"

// Peak signal-to-noise ratio in dB over the RGB samples of two images of the
// same size; infinity when they are identical.
double psnr(const RgbImage& a, const RgbImage& b);

// The captured frame dimmed to a third, with every pixel that differs from
// the golden one in red, brighter the larger the difference: where an edit
// changed the picture shows at a glance.
RgbImage differenceImage(const RgbImage& captured, const RgbImage& golden);
