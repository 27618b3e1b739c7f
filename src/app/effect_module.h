// A provider of effect types: registers the script commands that set its
// effects' parameters and creates instances. Modules live for the whole
// process.
#pragma once

#include <memory>

#include "app/effect.h"

struct lua_State;

class EffectModule {
  public:
    virtual ~EffectModule() = default;

    virtual void registerScriptFunctions(lua_State* L) = 0;
    // Number of effect types the module offers.
    virtual int effectTypeCount() = 0;
    // Script-visible type id of type number index (0 <= index < count).
    virtual int effectTypeId(int index) = 0;
    // A new instance of type number index in its default state, or none.
    virtual std::unique_ptr<Effect> createEffect(int index) = 0;
};
