// COM-style lifetimes for the layer's objects.
#pragma once

#include "platform/d3d8/d3d8.h"

// An object that owns itself: it starts with one reference and deletes
// itself when the last one is released.
template <class Interface>
class RefCounted : public Interface {
  public:
    ULONG AddRef() override { return ++references_; }

    ULONG Release() override {
        if (references_ == 0) return 0;
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    ULONG references() const { return references_; }

  private:
    ULONG references_ = 1;
};

// An object the device owns (such as its back buffer). Outside references
// keep the device alive: the first one takes a reference on the device, the
// last one gives it back. The device deletes the object itself.
template <class Interface>
class DeviceChild : public Interface {
  public:
    explicit DeviceChild(IDirect3DDevice8& device) : device_(device) {}

    ULONG AddRef() override {
        if (references_++ == 0) device_.AddRef();
        return references_;
    }

    ULONG Release() override {
        if (references_ == 0) return 0;
        const ULONG left = --references_;
        if (left == 0) device_.Release();  // may delete the device, and this with it
        return left;
    }

    ULONG references() const { return references_; }

  protected:
    IDirect3DDevice8& device_;

  private:
    ULONG references_ = 0;
};
