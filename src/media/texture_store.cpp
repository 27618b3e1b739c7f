#include "media/texture_store.h"

#include <cstdio>

#include "app/current_device.h"
#include "app/problem_sink.h"
#include "media/texture_images.h"

TextureStore& textureStore() {
    static TextureStore store;
    return store;
}

int TextureStore::find(const std::string& name) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->name == name) return int(i);
    return -1;
}

IDirect3DTexture8* TextureStore::texture(int index) const {
    return index < 0 ? nullptr : entries_[std::size_t(index)]->texture;
}

const D3DXIMAGE_INFO* TextureStore::imageInfo(int index) const {
    return index < 0 ? nullptr : &entries_[std::size_t(index)]->info;
}

void TextureStore::bind(DWORD stage, int index) const {
    currentDevice->SetTexture(stage, texture(index));
}

int TextureStore::append(int kind, IDirect3DTexture8* texture, const D3DXIMAGE_INFO& info,
                         const std::string& name) {
    entries_.push_back(std::make_unique<TextureEntry>(TextureEntry{kind, texture, info, name}));
    return int(entries_.size()) - 1;
}

int TextureStore::loadTexture(const std::string& name) {
    const int existing = find(name);
    if (existing >= 0) return existing;
    IDirect3DTexture8* texture = nullptr;
    D3DXIMAGE_INFO info{};
    if (!loadTextureImage(currentDevice, name, nullptr, &texture, &info)) return -1;
    return append(textureKindFile, texture, info, name);
}

// The alpha image is loaded at the colour image's source size, so both
// textures have the same levels; the colour texture is dropped when the
// alpha image fails, since nothing refers to it.
int TextureStore::loadAlphaTexture(const std::string& name, const std::string& alphaName) {
    const int existing = find(name);
    if (existing >= 0) return existing;
    IDirect3DTexture8* colour = nullptr;
    D3DXIMAGE_INFO info{};
    if (!loadTextureImage(currentDevice, name, nullptr, &colour, &info)) return -1;
    IDirect3DTexture8* alpha = nullptr;
    const FixedSize size{info.Width, info.Height};
    if (!loadTextureImage(currentDevice, alphaName, &size, &alpha, nullptr)) {
        colour->Release();
        return -1;
    }
    mergeAlpha(colour, alpha);
    alpha->Release();
    return append(textureKindAlpha, colour, info, name);
}

// Sizes below 1 are refused here: the texture creator would read 0 as
// "the default size".
int TextureStore::createCaptureTexture(const std::string& name, int width, int height) {
    const int existing = find(name);
    if (existing >= 0) return existing;
    IDirect3DTexture8* texture = nullptr;
    if (width < 1 || height < 1 ||
        !createRenderTexture(currentDevice, UINT(width), UINT(height), &texture)) {
        std::printf("Failed to create capture texture\n");
        reportProblem(ProblemKind::textureLoad, name, "cannot be created as a capture texture");
        return -1;
    }
    D3DXIMAGE_INFO info{};
    info.Width = UINT(width);
    info.Height = UINT(height);
    info.Format = D3DFMT_A8R8G8B8;
    return append(textureKindCapture, texture, info, name);
}

void TextureStore::invalidateDeviceObjects() {
    for (const std::unique_ptr<TextureEntry>& entry : entries_) {
        if (entry->kind != textureKindCapture || entry->texture == nullptr) continue;
        entry->texture->Release();
        entry->texture = nullptr;
    }
}

void TextureStore::restoreDeviceObjects() {
    for (const std::unique_ptr<TextureEntry>& entry : entries_)
        if (entry->kind == textureKindCapture && entry->texture == nullptr)
            createRenderTexture(currentDevice, entry->info.Width, entry->info.Height,
                                &entry->texture);
}

void TextureStore::clear() {
    for (const std::unique_ptr<TextureEntry>& entry : entries_)
        if (entry->texture) entry->texture->Release();
    entries_.clear();
}
