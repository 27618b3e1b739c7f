// The block that receives the wanted entry. It is exactly fullSize bytes
// once complete, but grows only as bytes are produced, so a header that lies
// about the size cannot make the reader allocate without bound.
#pragma once

#include <cstddef>
#include <cstdint>

class OutputBuffer {
  public:
    // The first allocation is fullSize, but no more than the most that
    // availableInput bytes of packed data are likely to give; beyond that
    // the block grows as output arrives.
    OutputBuffer(uint32_t fullSize, size_t availableInput, bool stored);
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // The first allocation; false when it fails.
    bool allocate();
    // False, with nothing appended, when the bytes would end beyond
    // fullSize or memory runs out (outOfMemory() then tells which).
    bool append(const uint8_t* bytes, size_t count);

    uint32_t size() const { return size_; }
    uint32_t fullSize() const { return fullSize_; }
    const uint8_t* data() const { return data_; }
    bool outOfMemory() const { return outOfMemory_; }

    // Hands the malloc block (trimmed to size) to the caller.
    uint8_t* release();

  private:
    bool reserve(size_t needed);

    uint8_t* data_ = nullptr;
    uint32_t size_ = 0;
    size_t capacity_ = 0;
    size_t firstCapacity_;
    uint32_t fullSize_;
    bool outOfMemory_ = false;
};
