// An effect module for tests: its effects write every call they get to a
// shared log, and it registers one effect parameter command.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/effect.h"
#include "app/effect_module.h"

// Every call of every TestEffect, e.g. "init0 a", "init1 a", "render a 5 4",
// "release a", "destroy a" (the tag is the name given to `layer`).
std::vector<std::string>& effectLog();

class TestEffect : public Effect {
  public:
    explicit TestEffect(int typeId) : typeId_(typeId) {}
    ~TestEffect() override;

    int typeId() override { return typeId_; }
    // Reads argument 2 as its tag; the tag "reject" makes it refuse.
    bool init(int stage, lua_State* L) override;
    void render(float time, float intervalStart) override;
    void releaseDeviceResources(int code) override;

    std::string tag;
    // Set by the script command settestvalue(time, layer, value).
    std::vector<float> values;

  private:
    int typeId_;
};

// Offers the given type ids, in order.
class TestEffectModule : public EffectModule {
  public:
    explicit TestEffectModule(std::vector<int> typeIds) : typeIds_(std::move(typeIds)) {}

    // settestvalue(time, layer, value): for effects of the module's first type.
    void registerScriptFunctions(lua_State* L) override;
    int effectTypeCount() override { return static_cast<int>(typeIds_.size()); }
    int effectTypeId(int index) override { return typeIds_[static_cast<std::size_t>(index)]; }
    std::unique_ptr<Effect> createEffect(int index) override;

  private:
    std::vector<int> typeIds_;
};
