#include "gltf_buffer.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kFloatComponent = 5126, kUnsignedShortComponent = 5123;

std::size_t componentsOf(const std::string& type) {
    if (type == "SCALAR") return 1;
    if (type == "MAT4") return 16;
    return std::size_t(type.back() - '0');  // VEC2, VEC3, VEC4
}

std::string base64(const std::string& raw) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < raw.size(); i += 3) {
        std::uint32_t n = std::uint32_t(std::uint8_t(raw[i])) << 16;
        if (i + 1 < raw.size()) n |= std::uint32_t(std::uint8_t(raw[i + 1])) << 8;
        if (i + 2 < raw.size()) n |= std::uint8_t(raw[i + 2]);
        const std::size_t left = raw.size() - i;
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= left ? digits[(n >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

// Per-component minimum and maximum of interleaved values.
std::string bounds(const std::vector<float>& values, std::size_t components) {
    std::vector<float> low(values.begin(), values.begin() + components), high = low;
    for (std::size_t i = 0; i < values.size(); ++i) {
        low[i % components] = std::min(low[i % components], values[i]);
        high[i % components] = std::max(high[i % components], values[i]);
    }
    return ",\"min\":" + gltfArray(low) + ",\"max\":" + gltfArray(high);
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items) out += (out.empty() ? "\n " : ",\n ") + item;
    return out;
}

}  // namespace

std::string gltfNumber(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value == 0 ? 0.0f : value).ptr;
    return std::string(text, end);
}

std::string gltfArray(const std::vector<float>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) out += (i ? "," : "") + gltfNumber(values[i]);
    return out + "]";
}

// Views start on four-byte boundaries, as float data must.
int GltfBuffer::addView(const void* data, std::size_t bytes) {
    bytes_.resize((bytes_.size() + 3) / 4 * 4, '\0');
    views_.push_back("{\"buffer\":0,\"byteOffset\":" + std::to_string(bytes_.size()) +
                     ",\"byteLength\":" + std::to_string(bytes) + "}");
    bytes_.append(static_cast<const char*>(data), bytes);
    return int(views_.size()) - 1;
}

int GltfBuffer::addFloats(const std::vector<float>& values, const char* type) {
    const std::size_t components = componentsOf(type);
    const int view = addView(values.data(), values.size() * sizeof(float));
    accessors_.push_back("{\"bufferView\":" + std::to_string(view) +
                         ",\"componentType\":" + std::to_string(kFloatComponent) +
                         ",\"count\":" + std::to_string(values.size() / components) +
                         ",\"type\":\"" + type + "\"" + bounds(values, components) + "}");
    return int(accessors_.size()) - 1;
}

int GltfBuffer::addShorts(const std::vector<std::uint16_t>& values, const char* type) {
    const int view = addView(values.data(), values.size() * sizeof(std::uint16_t));
    accessors_.push_back("{\"bufferView\":" + std::to_string(view) +
                         ",\"componentType\":" + std::to_string(kUnsignedShortComponent) +
                         ",\"count\":" + std::to_string(values.size() / componentsOf(type)) +
                         ",\"type\":\"" + type + "\"}");
    return int(accessors_.size()) - 1;
}

std::string GltfBuffer::json() const {
    std::string padded = bytes_;
    padded.resize((padded.size() + 3) / 4 * 4, '\0');
    return "\"buffers\":[{\"byteLength\":" + std::to_string(padded.size()) +
           ",\"uri\":\"data:application/octet-stream;base64," + base64(padded) + "\"}],\n" +
           "\"bufferViews\":[" + joined(views_) + "],\n\"accessors\":[" + joined(accessors_) + "]";
}
