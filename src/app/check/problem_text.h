// How a check report names kinds of problem and writes one problem a line.
#pragma once

#include <string>

#include "app/problem_sink.h"

// A short fixed word for the kind ("script-error", "missing-texture", ...).
const char* problemKindName(ProblemKind kind);

// "script.lua:LINE: KIND NAME: MESSAGE", without the script place when the
// line is not known.
std::string problemLine(const Problem& problem);
