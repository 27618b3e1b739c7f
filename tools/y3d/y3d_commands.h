// The commands of tessal-y3d; each returns the exit status.
#pragma once

#include "y3d_options.h"

int runInfo(const Y3dToolOptions& options);
int runConvert(const Y3dToolOptions& options);
