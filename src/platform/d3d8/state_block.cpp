#include "platform/d3d8/state_block.h"

namespace {

// The transform type kept in a slot (the inverse of transformSlot).
DWORD slotTransformType(int slot) {
    if (slot == 0) return D3DTS_VIEW;
    if (slot == 1) return D3DTS_PROJECTION;
    if (slot == TRANSFORM_SLOT_COUNT - 1) return D3DTS_WORLD;
    return D3DTS_TEXTURE0 + DWORD(slot - 2);
}

}  // namespace

HRESULT StateBlock::setRenderState(DWORD state, DWORD value) {
    const HRESULT result = values_.setRenderState(state, value);
    if (SUCCEEDED(result)) renderStates_.set(state);
    return result;
}

HRESULT StateBlock::setStageState(DWORD stage, DWORD type, DWORD value) {
    const HRESULT result = values_.setStageState(stage, type, value);
    if (SUCCEEDED(result)) stageStates_[stage].set(type);
    return result;
}

HRESULT StateBlock::setTransform(DWORD type, const D3DMATRIX* matrix) {
    const HRESULT result = values_.setTransform(type, matrix);
    if (SUCCEEDED(result)) transforms_.set(std::size_t(transformSlot(type)));
    return result;
}

HRESULT StateBlock::setViewport(const D3DVIEWPORT8* viewport) {
    if (viewport == nullptr) return D3DERR_INVALIDCALL;
    values_.viewport = *viewport;
    viewport_ = true;
    return D3D_OK;
}

HRESULT StateBlock::setLight(DWORD index, const D3DLIGHT8* light) {
    const HRESULT result = checkLight(index, light);
    if (FAILED(result)) return result;
    LightEntry& entry = lights_[index];
    entry.lightSet = true;
    entry.light = *light;
    return D3D_OK;
}

HRESULT StateBlock::enableLight(DWORD index, BOOL on) {
    if (index > D3D_MAX_LIGHT_INDEX) return D3DERR_INVALIDCALL;
    LightEntry& entry = lights_[index];
    entry.enableSet = true;
    entry.enabled = on != FALSE;
    return D3D_OK;
}

HRESULT StateBlock::setMaterial(const D3DMATERIAL8* material) {
    const HRESULT result = values_.setMaterial(material);
    if (SUCCEEDED(result)) material_ = true;
    return result;
}

HRESULT StateBlock::setTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
    if (stage >= D3D_TEXTURE_STAGE_COUNT) return D3DERR_INVALIDCALL;
    bindings_.bindTexture(stage, texture);
    textures_.set(stage);
    return D3D_OK;
}

HRESULT StateBlock::setVertexShader(DWORD handle) {
    bindings_.vertexShader = handle;
    vertexShader_ = true;
    return D3D_OK;
}

HRESULT StateBlock::setStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) {
    const HRESULT result = bindings_.setStreamSource(stream, buffer, stride);
    if (SUCCEEDED(result)) streamSource_ = true;
    return result;
}

HRESULT StateBlock::setIndices(IDirect3DIndexBuffer8* buffer, UINT baseVertexIndex) {
    bindings_.bindIndices(buffer, baseVertexIndex);
    indices_ = true;
    return D3D_OK;
}

void StateBlock::applyTo(DeviceState& state, BoundResources& bound, UINT targetWidth,
                         UINT targetHeight) const {
    applyStates(state);
    applyLights(state);
    if (viewport_) state.setViewport(&values_.viewport, targetWidth, targetHeight);
    applyBindings(bound);
}

void StateBlock::applyStates(DeviceState& state) const {
    for (DWORD rs = 0; rs < D3D_RENDERSTATE_COUNT; ++rs)
        if (renderStates_[rs]) state.setRenderState(rs, values_.renderStates[rs]);
    for (DWORD stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage)
        for (DWORD type = 0; type < D3D_TEXTURESTAGESTATE_COUNT; ++type)
            if (stageStates_[stage][type])
                state.setStageState(stage, type, values_.stageStates[stage][type]);
    for (int slot = 0; slot < TRANSFORM_SLOT_COUNT; ++slot)
        if (transforms_[std::size_t(slot)])
            state.setTransform(slotTransformType(slot), &values_.transforms[std::size_t(slot)]);
    if (material_) state.setMaterial(&values_.material);
}

// Lights are set before they are switched on, each in index order.
void StateBlock::applyLights(DeviceState& state) const {
    for (const auto& [index, entry] : lights_) {
        if (entry.lightSet) state.setLight(index, &entry.light);
        if (entry.enableSet) state.enableLight(index, entry.enabled);
    }
}

void StateBlock::applyBindings(BoundResources& bound) const {
    for (DWORD stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage)
        if (textures_[stage]) bound.bindTexture(stage, bindings_.texture(stage));
    if (vertexShader_) bound.vertexShader = bindings_.vertexShader;
    if (streamSource_) bound.bindStreamSource(bindings_.streamSource(), bindings_.streamStride);
    if (indices_) bound.bindIndices(bindings_.indices(), bindings_.baseVertexIndex);
}

void StateBlock::captureFrom(const DeviceState& state, const BoundResources& bound) {
    captureStates(state);
    captureBindings(bound);
}

void StateBlock::captureStates(const DeviceState& state) {
    for (DWORD rs = 0; rs < D3D_RENDERSTATE_COUNT; ++rs)
        if (renderStates_[rs]) values_.renderStates[rs] = state.renderStates[rs];
    for (DWORD stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage)
        for (DWORD type = 0; type < D3D_TEXTURESTAGESTATE_COUNT; ++type)
            if (stageStates_[stage][type])
                values_.stageStates[stage][type] = state.stageStates[stage][type];
    for (std::size_t slot = 0; slot < TRANSFORM_SLOT_COUNT; ++slot)
        if (transforms_[slot]) values_.transforms[slot] = state.transforms[slot];
    if (viewport_) values_.viewport = state.viewport;
    if (material_) values_.material = state.material;
    for (auto& [index, entry] : lights_) {
        if (entry.lightSet) state.lights.get(index, &entry.light);
        if (entry.enableSet && FAILED(state.lights.isEnabled(index, &entry.enabled)))
            entry.enabled = FALSE;
    }
}

void StateBlock::captureBindings(const BoundResources& bound) {
    for (DWORD stage = 0; stage < D3D_TEXTURE_STAGE_COUNT; ++stage)
        if (textures_[stage]) bindings_.bindTexture(stage, bound.texture(stage));
    if (vertexShader_) bindings_.vertexShader = bound.vertexShader;
    if (streamSource_) bindings_.bindStreamSource(bound.streamSource(), bound.streamStride);
    if (indices_) bindings_.bindIndices(bound.indices(), bound.baseVertexIndex);
}
