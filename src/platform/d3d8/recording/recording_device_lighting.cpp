// Lights and material on the recording device: kept in the device state and
// logged with every field spelled out.
#include "platform/d3d8/recording/recording_device.h"

namespace {

void appendColour(std::vector<double>& args, const D3DCOLORVALUE& c) {
    args.insert(args.end(), {c.r, c.g, c.b, c.a});
}

void appendVector(std::vector<double>& args, const D3DVECTOR& v) {
    args.insert(args.end(), {v.x, v.y, v.z});
}

std::vector<double> lightArgs(DWORD index, const D3DLIGHT8* light) {
    std::vector<double> args{double(index)};
    if (light == nullptr) return args;
    args.push_back(double(light->Type));
    appendColour(args, light->Diffuse);
    appendColour(args, light->Specular);
    appendColour(args, light->Ambient);
    appendVector(args, light->Position);
    appendVector(args, light->Direction);
    args.insert(args.end(), {light->Range, light->Falloff, light->Attenuation0, light->Attenuation1,
                             light->Attenuation2, light->Theta, light->Phi});
    return args;
}

std::vector<double> materialArgs(const D3DMATERIAL8* material) {
    std::vector<double> args;
    if (material == nullptr) return args;
    appendColour(args, material->Diffuse);
    appendColour(args, material->Ambient);
    appendColour(args, material->Specular);
    appendColour(args, material->Emissive);
    args.push_back(material->Power);
    return args;
}

}  // namespace

HRESULT RecordingDevice::SetLight(DWORD index, const D3DLIGHT8* light) {
    return recorder_.callWith(
        "SetLight", [&] { return lightArgs(index, light); },
        [&] {
            if (StateBlock* block = blocks_.recording()) return block->setLight(index, light);
            return state_.setLight(index, light);
        });
}

HRESULT RecordingDevice::GetLight(DWORD index, D3DLIGHT8* light) {
    return recorder_.call("GetLight", {double(index)},
                          [&] { return state_.lights.get(index, light); });
}

HRESULT RecordingDevice::LightEnable(DWORD index, BOOL enable) {
    return recorder_.call("LightEnable", {double(index), double(enable)}, [&] {
        if (StateBlock* block = blocks_.recording()) return block->enableLight(index, enable);
        return state_.enableLight(index, enable);
    });
}

HRESULT RecordingDevice::GetLightEnable(DWORD index, BOOL* enable) {
    return recorder_.call("GetLightEnable", {double(index)},
                          [&] { return state_.lights.isEnabled(index, enable); });
}

HRESULT RecordingDevice::SetMaterial(const D3DMATERIAL8* material) {
    return recorder_.callWith(
        "SetMaterial", [&] { return materialArgs(material); },
        [&] {
            if (StateBlock* block = blocks_.recording()) return block->setMaterial(material);
            return state_.setMaterial(material);
        });
}

HRESULT RecordingDevice::GetMaterial(D3DMATERIAL8* material) {
    return recorder_.call("GetMaterial", {}, [&] { return state_.getMaterial(material); });
}
