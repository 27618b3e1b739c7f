// Lifetimes of the resources a device makes (textures, depth-stencil
// surfaces). Outside references keep the device alive, as in Direct3D. The
// device's own hold on a resource it has bound (render target, depth
// buffer, texture stage) keeps the resource alive without keeping the
// device alive, so a bound resource and its device never hold each other.
#pragma once

#include <cstddef>

#include "platform/d3d8/d3d8.h"

// What a device holds while a resource is bound to it.
class DeviceHold {
  public:
    virtual void hold() = 0;
    virtual void unhold() = 0;

  protected:
    ~DeviceHold() = default;
};

// What the device holds of whatever object a bound interface is, if it is a
// resource the device made (device-owned surfaces such as the back buffer
// need none).
inline DeviceHold* deviceHold(IUnknown8* bound) {
    return dynamic_cast<DeviceHold*>(bound);
}

template <class Interface>
class DeviceResource : public Interface, public DeviceHold {
  public:
    // Starts with one outside reference, which holds the device. `live`, when
    // given, counts the resources alive (the device's default-pool count).
    DeviceResource(IDirect3DDevice8& device, std::size_t* live) : device_(device), live_(live) {
        device_.AddRef();
        if (live_) ++*live_;
    }

    ULONG AddRef() override {
        if (references_++ == 0) device_.AddRef();
        return references_;
    }

    ULONG Release() override {
        if (references_ == 0) return 0;
        const ULONG left = --references_;
        if (left == 0) dropDevice();
        return left;
    }

    void hold() override { ++holds_; }

    void unhold() override {
        if (holds_ == 0) return;
        if (--holds_ == 0 && references_ == 0) delete this;
    }

    ULONG references() const { return references_; }

  protected:
    ~DeviceResource() {
        if (live_) --*live_;
    }

    IDirect3DDevice8& device_;

  private:
    // The device goes last: releasing it may destroy it, and its
    // destruction lets go of its holds, which may delete this.
    void dropDevice() {
        IDirect3DDevice8& device = device_;
        if (holds_ == 0) delete this;
        device.Release();
    }

    std::size_t* live_;
    ULONG references_ = 1;
    ULONG holds_ = 0;
};
