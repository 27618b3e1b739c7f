#include "archive/table_set.h"

using namespace archive;

uint32_t alphabetCount(bool multimedia, uint32_t channels) {
    return multimedia ? channels : 3;
}

uint32_t alphabetSize(bool multimedia, uint32_t alphabet) {
    if (multimedia) return kChannelSymbols;
    constexpr uint32_t kSizes[3] = {kLiteralSymbols, kDistanceSymbols, kRepeatSymbols};
    return kSizes[alphabet];
}

uint32_t alphabetOffset(bool multimedia, uint32_t alphabet) {
    if (multimedia) return alphabet * kChannelSymbols;
    constexpr uint32_t kOffsets[3] = {0, kLiteralSymbols, kLiteralSymbols + kDistanceSymbols};
    return kOffsets[alphabet];
}
