// The generated fixed-function programs, compiled once per key and kept for
// the life of the device.
#pragma once

#include <unordered_map>

#include "platform/d3d8/gl/fixed_function_key.h"
#include "platform/d3d8/gl/gl_api.h"
#include "platform/d3d8/gl/program_uniforms.h"

class ProgramCache {
  public:
    explicit ProgramCache(const GlApi& gl) : gl_(gl) {}
    ~ProgramCache();
    ProgramCache(const ProgramCache&) = delete;
    ProgramCache& operator=(const ProgramCache&) = delete;

    // The program for a key, built on first use. A program GL refuses is
    // reported once on standard error and remembered as refused.
    GlProgram& program(const FixedFunctionKey& key);
    std::size_t size() const { return programs_.size(); }

  private:
    GlProgram build(const FixedFunctionKey& key);

    const GlApi& gl_;
    std::unordered_map<FixedFunctionKey, GlProgram, FixedFunctionKeyHash> programs_;
};
