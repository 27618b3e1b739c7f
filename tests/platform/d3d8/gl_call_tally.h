// Counts every GL call a device makes, by entry point, while it lives.
#pragma once

#include <map>
#include <string>

#include "platform/d3d8/gl/gl_api.h"

class GlCallTally {
  public:
    explicit GlCallTally(GlApi& api);
    ~GlCallTally();
    GlCallTally(const GlCallTally&) = delete;
    GlCallTally& operator=(const GlCallTally&) = delete;

    void reset() { counts_.clear(); }
    // Calls by entry point name without "gl" ("DrawArrays"), only those made.
    const std::map<std::string, int>& counts() const { return counts_; }

  private:
    template <class Name, class Function>
    friend struct TalliedCall;

    GlApi& api_;
    const GlApi original_;
    std::map<std::string, int> counts_;
    static GlCallTally* active_;
};
