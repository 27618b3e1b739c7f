// A layer: one effect and the intervals of demo time in which it is drawn.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "app/effect.h"
#include "platform/d3d8/d3d8types.h"

struct LayerInterval {
    float start = 0;
    // Given by `stop`. An interval whose stop never came has no end: it
    // lasts until the demo ends.
    std::optional<float> end;
    bool clear = false;
    DWORD clearFlags = 0;  // D3DCLEAR_TARGET and/or D3DCLEAR_ZBUFFER

    bool contains(float t) const { return start <= t && t <= endOrForever(); }
    float endOrForever() const;
};

class Layer {
  public:
    Layer() = default;
    virtual ~Layer();
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    void addInterval(float time);
    // stop and clear act on the most recently added interval; on a layer
    // that has none yet they do nothing.
    void setLastEnd(float time);
    void setLastClear(DWORD flags);

    // After a successful run of the script: sorts the intervals, takes the
    // layer's start and end from them, finishes the effect's set-up.
    void prepare();
    // Clears if the interval at t asks for it and draws the effect.
    void render(float t);
    // The effect if its type is typeId, otherwise none.
    Effect* effectIfType(int typeId);

    float start = 0;
    float end = 0;
    std::unique_ptr<Effect> effect;
    std::vector<LayerInterval> intervals;

  private:
    const LayerInterval* intervalAt(float t) const;
};
