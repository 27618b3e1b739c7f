#include "gltf_document.h"

#include <algorithm>
#include <stdexcept>

#include "scene/scene_byte_reader.h"
#include "uri_decoding.h"

using nlohmann::json;

namespace {

constexpr std::uint32_t kGlbMagic = 0x46546C67;  // "glTF"
constexpr std::uint32_t kJsonChunk = 0x4E4F534A, kBinaryChunk = 0x004E4942;

struct GlbChunks {
    std::span<const std::uint8_t> json;
    std::optional<std::span<const std::uint8_t>> binary;
};

bool isGlb(std::span<const std::uint8_t> bytes) {
    SceneByteReader in(bytes);
    return in.u32() == kGlbMagic && !in.failed();
}

// The container's JSON chunk and its first binary chunk, if any.
std::optional<GlbChunks> glbChunks(std::span<const std::uint8_t> bytes, std::string& error) {
    SceneByteReader in(bytes);
    in.seek(12);
    GlbChunks chunks;
    while (in.remaining() >= 8) {
        const std::uint32_t length = in.u32(), type = in.u32();
        if (!in.holds(length, 1)) break;
        const auto data = bytes.subspan(in.position(), length);
        if (type == kJsonChunk && chunks.json.empty()) chunks.json = data;
        if (type == kBinaryChunk && !chunks.binary) chunks.binary = data;
        in.skip(length);
    }
    if (in.failed() || chunks.json.empty()) {
        error = "its binary container has no complete JSON chunk";
        return std::nullopt;
    }
    return chunks;
}

int componentCount(const std::string& type) {
    static const std::map<std::string, int> counts = {{"SCALAR", 1}, {"VEC2", 2}, {"VEC3", 3},
                                                      {"VEC4", 4},   {"MAT2", 4}, {"MAT3", 9},
                                                      {"MAT4", 16}};
    const auto found = counts.find(type);
    return found == counts.end() ? 0 : found->second;
}

int componentSize(int componentType) {
    switch (componentType) {
        case 5120:  // signed byte
        case 5121:
            return 1;
        case 5122:  // signed short
        case 5123:
            return 2;
        case 5125:  // unsigned int
        case 5126:
            return 4;
        default:
            return 0;
    }
}

// One component; normalised integers as glTF maps them to floats.
float component(SceneByteReader& in, int componentType, bool normalized) {
    std::uint8_t byte = 0;
    switch (componentType) {
        case 5126:
            return in.f32();
        case 5125:
            return float(in.u32());
        case 5123:
            return normalized ? in.u16() / 65535.0f : in.u16();
        case 5122: {
            const float v = std::int16_t(in.u16());
            return normalized ? std::max(v / 32767.0f, -1.0f) : v;
        }
        case 5121:
            in.copy(&byte, 1);
            return normalized ? byte / 255.0f : byte;
        default: {
            in.copy(&byte, 1);
            const float v = std::int8_t(byte);
            return normalized ? std::max(v / 127.0f, -1.0f) : v;
        }
    }
}

// Where an accessor's elements lie in its buffer view.
struct AccessorLayout {
    std::size_t offset = 0, stride = 0, count = 0;
    int width = 0, componentType = 0;
    bool normalized = false;
};

// Whether the elements fit inside the view of `viewLength` bytes.
bool fitsInView(const AccessorLayout& a, std::size_t viewLength) {
    const std::size_t element = std::size_t(a.width) * componentSize(a.componentType);
    if (a.count == 0) return a.offset <= viewLength;
    if (a.count > viewLength || a.stride > viewLength || a.offset > viewLength) return false;
    return a.offset + a.stride * (a.count - 1) + element <= viewLength;
}

GltfFloats readElements(std::span<const std::uint8_t> view, const AccessorLayout& a) {
    GltfFloats out{{}, a.width};
    out.values.reserve(a.count * std::size_t(a.width));
    SceneByteReader in(view);
    for (std::size_t i = 0; i < a.count; ++i) {
        in.seek(a.offset + i * a.stride);
        for (int c = 0; c < a.width; ++c)
            out.values.push_back(component(in, a.componentType, a.normalized));
    }
    return out;
}

}  // namespace

std::size_t wholeNumber(const json& value) {
    if (value.is_number_unsigned()) return value.get<std::size_t>();
    if (value.is_number_integer() && value.get<std::int64_t>() >= 0)
        return std::size_t(value.get<std::int64_t>());
    throw std::invalid_argument("not a whole number");
}

std::size_t wholeNumber(const json& object, const char* key, std::size_t absent) {
    return object.contains(key) ? wholeNumber(object.at(key)) : absent;
}

bool GltfDocument::read(std::span<const std::uint8_t> bytes, std::string& error) {
    std::span<const std::uint8_t> text = bytes;
    if (isGlb(bytes)) {
        const auto chunks = glbChunks(bytes, error);
        if (!chunks) return false;
        text = chunks->json;
        if (chunks->binary) binaryChunk_.emplace(chunks->binary->begin(), chunks->binary->end());
    }
    json_ = json::parse(text.begin(), text.end(), nullptr, false);
    if (json_.is_discarded() || !json_.is_object()) {
        error = "its JSON cannot be parsed";
        return false;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> GltfDocument::loadBuffer(const json& buffer,
                                                                  const GltfFileLoader& load,
                                                                  std::string& error) const {
    if (!buffer.contains("uri")) {
        if (binaryChunk_) return binaryChunk_;
        error = "a buffer has neither a URI nor a binary chunk";
        return std::nullopt;
    }
    const std::string uri = buffer.at("uri").get<std::string>();
    auto bytes = isDataUri(uri) ? dataUriBytes(uri) : load(percentDecoded(uri));
    if (!bytes)
        error = isDataUri(uri) ? "a buffer's data URI is malformed"
                               : "its buffer '" + uri + "' cannot be read";
    return bytes;
}

std::span<const std::uint8_t> GltfDocument::buffer(std::size_t index, const GltfFileLoader& load,
                                                   std::string& error) {
    if (const auto found = buffers_.find(index); found != buffers_.end()) return found->second;
    auto bytes = loadBuffer(json_.at("buffers").at(index), load, error);
    if (!bytes) return {};
    return buffers_.emplace(index, std::move(*bytes)).first->second;
}

std::optional<GltfFloats> GltfDocument::readFloats(const json& accessor, const GltfFileLoader& load,
                                                   std::string& error) {
    AccessorLayout a;
    a.width = componentCount(accessor.at("type").get<std::string>());
    a.componentType =
        int(std::min<std::size_t>(wholeNumber(accessor.at("componentType")), 1 << 16));
    a.normalized = accessor.value("normalized", false);
    a.count = wholeNumber(accessor.at("count"));
    a.offset = wholeNumber(accessor, "byteOffset", 0);
    if (a.width == 0 || componentSize(a.componentType) == 0 || accessor.contains("sparse")) {
        error = "an accessor of a kind not read here";
        return std::nullopt;
    }
    if (!accessor.contains("bufferView")) {  // all zeros
        if (a.count > (std::size_t(1) << 24)) {
            error = "an accessor without data is too large";
            return std::nullopt;
        }
        return GltfFloats{std::vector<float>(a.count * std::size_t(a.width)), a.width};
    }
    const json& view = json_.at("bufferViews").at(wholeNumber(accessor.at("bufferView")));
    const std::span<const std::uint8_t> bytes = buffer(wholeNumber(view.at("buffer")), load, error);
    if (!error.empty()) return std::nullopt;
    const std::size_t viewOffset = wholeNumber(view, "byteOffset", 0);
    const std::size_t viewLength = wholeNumber(view.at("byteLength"));
    a.stride =
        wholeNumber(view, "byteStride", std::size_t(a.width) * componentSize(a.componentType));
    if (viewOffset > bytes.size() || viewLength > bytes.size() - viewOffset ||
        !fitsInView(a, viewLength)) {
        error = "an accessor leaves its buffer";
        return std::nullopt;
    }
    return readElements(bytes.subspan(viewOffset, viewLength), a);
}

std::optional<GltfFloats> GltfDocument::floats(std::size_t accessor, const GltfFileLoader& load,
                                               std::string& error) {
    try {
        return readFloats(json_.at("accessors").at(accessor), load, error);
    } catch (const std::exception&) {  // a member missing or of the wrong type
        error = "an accessor or its buffer view is malformed";
        return std::nullopt;
    }
}
