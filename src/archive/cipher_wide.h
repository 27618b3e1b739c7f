// Deciphering sixteen blocks per vector register, where the processor has
// AVX-512 with byte permutes (VBMI): one register holds the same word of
// sixteen blocks, and the 256-byte substitution table fits in four
// registers, so the substitutions of sixteen words are two permutes and a
// blend. The results are those of the portable rounds.
#pragma once

#include <cstddef>
#include <cstdint>

// Blocks in one register.
constexpr size_t kWideGroup = 16;

// True when this processor can run decipherWide.
bool canDecipherWide();

// Deciphers count blocks in place (count a multiple of kWideGroup), each
// with its own starting key (keys[n] for block n), through the
// substitution table sbox. The key chain is the caller's business.
void decipherWide(uint8_t* blocks, const uint32_t (*keys)[4], size_t count, const uint8_t* sbox);
