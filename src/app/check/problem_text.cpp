#include "app/check/problem_text.h"

const char* problemKindName(ProblemKind kind) {
    switch (kind) {
        case ProblemKind::scriptError:
            return "script-error";
        case ProblemKind::textureLoad:
            return "texture-load";
        case ProblemKind::sceneLoad:
            return "scene-load";
        case ProblemKind::musicLoad:
            return "music-load";
        case ProblemKind::missingTexture:
            return "missing-texture";
        case ProblemKind::missingScene:
            return "missing-scene";
        case ProblemKind::missingCamera:
            return "missing-camera";
        case ProblemKind::neverActive:
            return "never-active";
        case ProblemKind::unusedMember:
            return "unused-member";
        case ProblemKind::missingMember:
            return "missing-member";
        case ProblemKind::damagedMember:
            return "damaged-member";
    }
    return "problem";
}

std::string problemLine(const Problem& problem) {
    std::string line;
    if (problem.line > 0) line = "script.lua:" + std::to_string(problem.line) + ": ";
    return line + problemKindName(problem.kind) + " " + problem.name + ": " + problem.message;
}
