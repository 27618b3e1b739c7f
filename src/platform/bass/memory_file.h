// Bytes in memory read as a seekable file: a span the caller keeps alive,
// or bytes the file owns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/bass/byte_source.h"

class MemoryFile : public ByteSource {
  public:
    explicit MemoryFile(std::span<const std::uint8_t> bytes)
        : ByteSource(std::int64_t(bytes.size())), bytes_(bytes) {}
    explicit MemoryFile(std::vector<std::uint8_t> owned)
        : ByteSource(std::int64_t(owned.size())), owned_(std::move(owned)), bytes_(owned_) {}

  protected:
    std::int64_t readAt(std::int64_t at, void* out, std::int64_t count) override;

  private:
    std::vector<std::uint8_t> owned_;
    std::span<const std::uint8_t> bytes_;
};
