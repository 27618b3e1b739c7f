// One check run: the player's engine plays the production in the current
// directory headless, with a stepped clock, and the problems it meets are
// collected.
#pragma once

#include <string>
#include <vector>

#include "app/check/check_options.h"
#include "app/problem_sink.h"

struct CheckReport {
    // False when the player could not start; startError says why.
    bool started = false;
    std::string startError;
    bool packed = false;
    float startTime = 0;
    float endTime = 0;
    int framesPlayed = 0;
    // Ctrl+C or a request to end came before the end time was played.
    bool interrupted = false;
    std::vector<Problem> problems;
};

CheckReport runCheck(const CheckOptions& options);
