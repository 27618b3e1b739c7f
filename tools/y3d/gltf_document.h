// A glTF 2.0 file read from its bytes (.gltf text or a .glb container):
// its JSON, its buffers loaded as they are needed, and accessors read as
// floats. The converter uses it for what assimp leaves out of a glTF
// file's animation (step and cubic spline keys).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A member that must be a whole number of at least 0 (an index, a count, a
// byte offset). Anything else throws, as nlohmann's accessors do for a
// missing member; unlike its own conversion, a float too large for the
// type is refused rather than converted with undefined behaviour.
std::size_t wholeNumber(const nlohmann::json& value);
std::size_t wholeNumber(const nlohmann::json& object, const char* key, std::size_t absent);

// The bytes of a file a glTF names by a relative URI, or nothing.
using GltfFileLoader =
    std::function<std::optional<std::vector<std::uint8_t>>(const std::string& uri)>;

// An accessor's elements as floats, `width` floats an element.
struct GltfFloats {
    std::vector<float> values;
    int width = 0;
};

class GltfDocument {
  public:
    // False, with the reason, when the bytes are no glTF JSON or container.
    bool read(std::span<const std::uint8_t> bytes, std::string& error);
    const nlohmann::json& root() const { return json_; }
    // Normalised integers become [0, 1] or [−1, 1]. Nothing, with the
    // reason, when the accessor is malformed or leaves its buffer.
    std::optional<GltfFloats> floats(std::size_t accessor, const GltfFileLoader& load,
                                     std::string& error);

  private:
    std::span<const std::uint8_t> buffer(std::size_t index, const GltfFileLoader& load,
                                         std::string& error);
    std::optional<std::vector<std::uint8_t>> loadBuffer(const nlohmann::json& buffer,
                                                        const GltfFileLoader& load,
                                                        std::string& error) const;
    std::optional<GltfFloats> readFloats(const nlohmann::json& accessor, const GltfFileLoader& load,
                                         std::string& error);

    nlohmann::json json_;
    std::optional<std::vector<std::uint8_t>> binaryChunk_;  // a .glb file's
    std::map<std::size_t, std::vector<std::uint8_t>> buffers_;
};
