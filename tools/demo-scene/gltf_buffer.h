// The one binary buffer of a glTF file, built up accessor by accessor and
// written inline as a base64 data: URI, so the file stands alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class GltfBuffer {
  public:
    // Each returns the new accessor's index. `type` is the glTF accessor
    // type ("SCALAR", "VEC2", "VEC3", "VEC4", "MAT4"). Float accessors carry
    // their bounds, which glTF wants for positions and key times.
    int addFloats(const std::vector<float>& values, const char* type);
    int addShorts(const std::vector<std::uint16_t>& values, const char* type);

    // The "buffers", "bufferViews" and "accessors" members, comma-separated.
    std::string json() const;

  private:
    int addView(const void* data, std::size_t bytes);

    std::string bytes_;
    std::vector<std::string> views_;
    std::vector<std::string> accessors_;
};

// A float written in its shortest form that reads back exactly.
std::string gltfNumber(float value);
// Values as a JSON array.
std::string gltfArray(const std::vector<float>& values);
