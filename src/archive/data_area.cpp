#include "archive/data_area.h"

#include <algorithm>

#include "archive/archive_format.h"

void DataArea::begin(uint32_t dataSize, Cipher* cipher, uint8_t requiredVersion) {
    remaining_ = dataSize;
    cipher_ = cipher;
    requiredVersion_ = requiredVersion;
}

size_t DataArea::readInput(uint8_t* address, size_t count) {
    size_t wanted = std::min<size_t>(count, remaining_);
    size_t n = archive_.read(address, wanted);
    // A short read means the archive itself ended: nothing more will come.
    remaining_ = n < wanted ? 0 : remaining_ - static_cast<uint32_t>(n);
    if (!cipher_) return n;
    if (requiredVersion_ < archive::kMaxVersion) {
        log_.write("Old Crypt() not supported!");
        return n;
    }
    cipher_->decipher(address, n);
    return n;
}
