// The sample production's pictures, drawn from formulas so that they can be
// made again at any time.
#pragma once

#include "image_writers.h"

// Soft coloured waves, opaque.
Picture backdrop(unsigned size);
// A ring with a gradient, transparent outside and in the middle, edges
// smoothed by alpha.
Picture emblem(unsigned width, unsigned height);
// A five-pointed star, white to gold, on transparent black.
Picture star(unsigned size);
// Diagonal rainbow stripes, opaque.
Picture stripes(unsigned size);
// Grey from white in the centre to black at the edge: an alpha mask.
Picture radialMask(unsigned size);
// An evening sky over dark ground with a low sun and streaks of cloud,
// horizon across the middle: what shiny scene objects reflect.
Picture sky(unsigned size);
// Frosted glass: pale blue, mostly see-through with brighter diagonal
// streaks, and a nearly opaque silver frame.
Picture glass(unsigned size);
// The title card shown in the setup dialog: an evening sky over a pool
// between columns, a halo setting behind the horizon, and the title.
Picture titleCard(unsigned width, unsigned height);
