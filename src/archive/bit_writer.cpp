#include "archive/bit_writer.h"

#include <utility>

std::vector<uint8_t> BitWriter::finish() {
    if (pending_ > 0) write(0, 8 - pending_);
    accumulator_ = 0;
    return std::move(bytes_);
}
