// One capture run: the player's engine with a stepped clock and frames read
// back from the back buffer.
#pragma once

#include "capture_options.h"

// Plays the production in the current directory and writes the frames.
// Returns 0 on success, 1 when the script fails or a frame cannot be written,
// -1 when the player cannot start.
int runCapture(const CaptureOptions& options);
