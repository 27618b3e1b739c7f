// The lights a device keeps, by index: each index set with SetLight (or
// created by LightEnable) holds a light and whether it is on.
#pragma once

#include <array>
#include <vector>

#include "platform/d3d8/d3d8types.h"

// Lights on at once; Direct3D 8 hardware typically had eight.
constexpr DWORD D3D_MAX_ACTIVE_LIGHTS = 8;
// The highest index a light can be kept at, so that a wild index cannot
// make the table grow without bound.
constexpr DWORD D3D_MAX_LIGHT_INDEX = 4095;

// What LightEnable creates at an index never set: a white directional
// light along +z.
D3DLIGHT8 defaultLight();

// D3DERR_INVALIDCALL for a null light, an index above the maximum, a type
// that is not point, spot or directional, or a range that is negative or
// not a number.
HRESULT checkLight(DWORD index, const D3DLIGHT8* light);

class LightTable {
  public:
    // A light checkLight refuses leaves the table unchanged.
    HRESULT set(DWORD index, const D3DLIGHT8* light);
    // D3DERR_INVALIDCALL for an index never set.
    HRESULT get(DWORD index, D3DLIGHT8* light) const;
    // Enabling one light more than D3D_MAX_ACTIVE_LIGHTS is refused.
    HRESULT enable(DWORD index, BOOL on);
    HRESULT isEnabled(DWORD index, BOOL* on) const;

    // The indices of the lights that are on, in increasing order.
    const DWORD* activeBegin() const { return active_.data(); }
    const DWORD* activeEnd() const { return active_.data() + activeCount_; }
    DWORD activeCount() const { return activeCount_; }
    const D3DLIGHT8& light(DWORD index) const { return slots_[index].light; }

  private:
    struct Slot {
        D3DLIGHT8 light{};
        bool set = false;
        bool enabled = false;
    };

    // The slot of an index, created (holding the default light) if needed.
    Slot& slotAt(DWORD index);
    void addActive(DWORD index);
    void removeActive(DWORD index);

    std::vector<Slot> slots_;
    std::array<DWORD, D3D_MAX_ACTIVE_LIGHTS> active_{};
    DWORD activeCount_ = 0;
};
