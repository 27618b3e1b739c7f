// One effect instance: what a layer draws.
#pragma once

struct lua_State;

class Effect {
  public:
    virtual ~Effect() = default;

    // The script-visible type id, the one the module reports for it.
    virtual int typeId() = 0;

    // Stage 0: read the effect's own parameters from the `layer` call in L
    // (positions 2 on); false rejects the instance. It reports failure only
    // by its result, never by raising a script error. Stage 1: called once
    // after the whole script has run, with no script state, to finish the
    // set-up; its result is not used.
    virtual bool init(int stage, lua_State* L) = 0;

    // Draws for demo time `time`; intervalStart is the start of the layer
    // interval being played.
    virtual void render(float time, float intervalStart) = 0;

    // Called with code 1 right before the instance is destroyed, to give
    // back shared device resources.
    virtual void releaseDeviceResources(int code) = 0;
};
