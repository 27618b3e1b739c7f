// Code lengths from symbol frequencies (at most 15 bits, as the decoder
// allows) and the canonical codes the decoder assigns to them.
#pragma once

#include <cstdint>
#include <vector>

constexpr uint32_t kMaxCodeLength = 15;

// Length 0 for unused symbols; a lone used symbol gets length 1.
std::vector<uint8_t> buildCodeLengths(const std::vector<uint32_t>& frequencies,
                                      uint32_t maxLength = kMaxCodeLength);

// Codes in order of length, then of symbol index, read most significant
// bit first.
std::vector<uint16_t> canonicalCodes(const std::vector<uint8_t>& lengths);
