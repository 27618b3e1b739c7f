// The generated fixed-function programs, compiled once per key and kept for
// the life of the device.
#pragma once

#include <unordered_map>

#include "platform/d3d8/gl/fixed_function_key.h"
#include "platform/d3d8/gl/gl_api.h"

struct GlProgram {
    GLuint name = 0;  // 0: GL refused the program; draws with it are skipped
    GLint viewport = -1;
    GLint depthRange = -1;
    GLint worldViewProjection = -1;
    GLint textureFactor = -1;
    GLint alphaRef = -1;
};

class ProgramCache {
  public:
    explicit ProgramCache(const GlApi& gl) : gl_(gl) {}
    ~ProgramCache();
    ProgramCache(const ProgramCache&) = delete;
    ProgramCache& operator=(const ProgramCache&) = delete;

    // The program for a key, built on first use. A program GL refuses is
    // reported once on standard error and remembered as refused.
    const GlProgram& program(const FixedFunctionKey& key);
    std::size_t size() const { return programs_.size(); }

  private:
    GlProgram build(const FixedFunctionKey& key);

    const GlApi& gl_;
    std::unordered_map<FixedFunctionKey, GlProgram, FixedFunctionKeyHash> programs_;
};
