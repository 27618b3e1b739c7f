#include "d3dx/texture_fill.h"

#include <memory>
#include <vector>

#include "d3dx/d3dx_texture.h"
#include "d3dx/level_row_writer.h"
#include "platform/d3d8/format_info.h"

namespace {

// The levels of a texture being filled: each takes its rows in order, writes
// them and hands them to the resampler that makes the level below. The
// first failure stops the filling.
class MipChain {
  public:
    MipChain(IDirect3DTexture8* texture, ResampleFilter mipFilter)
        : texture_(texture), mipFilter_(mipFilter) {}

    HRESULT start();
    const D3DSURFACE_DESC& top() const { return descs_[0]; }
    void putTopRow(const DWORD* row);
    HRESULT finish() const;

  private:
    void put(UINT level, const DWORD* row);

    IDirect3DTexture8* texture_;
    ResampleFilter mipFilter_;
    std::vector<D3DSURFACE_DESC> descs_;
    std::vector<std::unique_ptr<LevelRowWriter>> writers_;
    std::vector<std::unique_ptr<RowResampler>> toNextLevel_;
    std::vector<DWORD> opaqueRow_;
    HRESULT failure_ = D3D_OK;
};

HRESULT MipChain::start() {
    const DWORD levels = texture_->GetLevelCount();
    descs_.resize(levels);
    for (UINT level = 0; level < levels; ++level) {
        const HRESULT described = texture_->GetLevelDesc(level, &descs_[level]);
        if (FAILED(described)) return described;
        const D3DSURFACE_DESC& desc = descs_[level];
        writers_.push_back(
            std::make_unique<LevelRowWriter>(texture_, level, desc.Width, desc.Height));
        if (level > 0)
            toNextLevel_.push_back(
                std::make_unique<RowResampler>(descs_[level - 1].Width, descs_[level - 1].Height,
                                               desc.Width, desc.Height, mipFilter_));
    }
    if (levels == 0) return D3DERR_INVALIDCALL;
    if (!hasAlpha(top().Format)) opaqueRow_.resize(top().Width);
    return D3D_OK;
}

void MipChain::putTopRow(const DWORD* row) {
    if (opaqueRow_.empty()) return put(0, row);
    for (std::size_t x = 0; x < opaqueRow_.size(); ++x) opaqueRow_[x] = row[x] | 0xff000000u;
    put(0, opaqueRow_.data());
}

void MipChain::put(UINT level, const DWORD* row) {
    if (FAILED(failure_)) return;
    failure_ = writers_[level]->write(row);
    if (FAILED(failure_) || level + 1 >= writers_.size()) return;
    toNextLevel_[level]->push(row, [this, level](const DWORD* below) { put(level + 1, below); });
}

HRESULT MipChain::finish() const {
    if (FAILED(failure_)) return failure_;
    for (const std::unique_ptr<LevelRowWriter>& writer : writers_)
        if (!writer->complete()) return D3DERR_INVALIDCALL;
    return D3D_OK;
}

}  // namespace

ResampleFilter resampleFilter(DWORD filter, ResampleFilter fallback) {
    if (filter == D3DX_DEFAULT) return fallback;
    switch (filter & 0xff) {
        case D3DX_FILTER_NONE:
        case D3DX_FILTER_POINT:
            return ResampleFilter::Point;
        case D3DX_FILTER_BOX:
            return ResampleFilter::Box;
        case D3DX_FILTER_LINEAR:
        case D3DX_FILTER_TRIANGLE:
            return ResampleFilter::Triangle;
        default:
            return fallback;
    }
}

HRESULT fillTextureLevels(IDirect3DTexture8* texture, const ImagePixels& image,
                          ResampleFilter filter, ResampleFilter mipFilter) {
    MipChain chain(texture, mipFilter);
    const HRESULT started = chain.start();
    if (FAILED(started)) return started;
    RowResampler toTop(image.width, image.height, chain.top().Width, chain.top().Height, filter);
    for (UINT y = 0; y < image.height; ++y)
        toTop.push(image.pixels + std::size_t(y) * image.width,
                   [&chain](const DWORD* row) { chain.putTopRow(row); });
    return chain.finish();
}
