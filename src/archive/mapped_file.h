// Read-only view of a whole file, mapped into memory: the thin wrapper that
// turns an archive path into the bytes the parsers work on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file cannot be opened or mapped. An empty file opens
    // with no bytes.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return open_; }
    std::span<const uint8_t> bytes() const { return {data_, size_}; }

  private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool open_ = false;
};
