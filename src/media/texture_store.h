// The texture store: every texture of the production, by name and by index.
// Textures come from an image file, from an image whose alpha is taken from
// a second image, or are empty render targets that effects draw into (the
// capture textures). Indices count from 0 in creation order and stay valid
// until clear; -1 stands for no texture.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "d3dx/d3dx_texture.h"
#include "platform/d3d8/d3d8.h"

struct lua_State;

enum TextureKind : int {
    textureKindFile = 0,
    textureKindAlpha = 1,
    textureKindCapture = 2,
};

struct TextureEntry {
    int kind = textureKindFile;
    // One reference, owned. Null only for a capture texture between
    // invalidateDeviceObjects and restoreDeviceObjects, or after a failed rebuild.
    IDirect3DTexture8* texture = nullptr;
    // File and alpha textures: the source image as the loader reported it
    // (its size before any resizing). Capture textures: the requested size
    // and A8R8G8B8.
    D3DXIMAGE_INFO info{};
    std::string name;  // the first name it was created under
};

class TextureStore {
  public:
    TextureStore() = default;
    ~TextureStore() { clear(); }
    TextureStore(const TextureStore&) = delete;
    TextureStore& operator=(const TextureStore&) = delete;

    // Index of the first entry with exactly that name (case counts), or -1.
    int find(const std::string& name) const;
    // For -1 or a valid index: the texture (not add-referenced) or the
    // source information; null for -1.
    IDirect3DTexture8* texture(int index) const;
    const D3DXIMAGE_INFO* imageInfo(int index) const;
    // SetTexture(stage, texture(index)) on the current device; -1 unbinds.
    void bind(DWORD stage, int index) const;
    int count() const { return int(entries_.size()); }
    const TextureEntry& entry(int index) const { return *entries_[std::size_t(index)]; }

    // Each returns the index of the texture already under that name, if
    // any, without loading or creating anything; otherwise the new entry's
    // index, or -1 when it could not be made (the reason is printed).
    int loadTexture(const std::string& name);
    int loadAlphaTexture(const std::string& name, const std::string& alphaName);
    int createCaptureTexture(const std::string& name, int width, int height);

    // Around a device reset: capture textures are released, then rebuilt
    // at their size (a failed rebuild leaves the entry without a texture).
    void invalidateDeviceObjects();
    void restoreDeviceObjects();
    // Releases every texture and forgets every name.
    void clear();

    // loadtexture, loadalphatexture and createcapturetexture.
    static void registerCommands(lua_State* L);

  private:
    int append(int kind, IDirect3DTexture8* texture, const D3DXIMAGE_INFO& info,
               const std::string& name);

    std::vector<std::unique_ptr<TextureEntry>> entries_;
};

// The process-wide store; it draws on the current device.
TextureStore& textureStore();
