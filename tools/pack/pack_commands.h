// The three commands of tessal-pack; each returns the exit status.
#pragma once

#include "pack_options.h"

int runPack(const PackToolOptions& options);
int runList(const PackToolOptions& options);
int runCat(const PackToolOptions& options);
