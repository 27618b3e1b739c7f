// Bounds-checked access to the bytes of a chunk: reading past the end gives
// `end` instead of touching memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace lua4::frontend {

class SourceReader {
  public:
    static constexpr int end = -1;

    explicit SourceReader(std::string_view bytes) : bytes_(bytes) {}

    // The byte `ahead` positions on, as 0..255, or `end`.
    int peek(std::size_t ahead = 0) const {
        std::size_t at = position_ + ahead;
        return at < bytes_.size() ? static_cast<unsigned char>(bytes_[at]) : end;
    }
    void skip(std::size_t count = 1) { position_ = std::min(bytes_.size(), position_ + count); }
    bool atEnd() const { return position_ >= bytes_.size(); }
    std::size_t position() const { return position_; }
    std::string_view slice(std::size_t from, std::size_t to) const {
        from = std::min(from, bytes_.size());
        to = std::clamp(to, from, bytes_.size());
        return bytes_.substr(from, to - from);
    }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

}  // namespace lua4::frontend
