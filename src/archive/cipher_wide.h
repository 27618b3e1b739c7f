// Deciphering many blocks at once in vector registers: one register holds
// the same word of several blocks, each with its own key, and the
// substitution of every byte is done by byte shuffles instead of table
// loads. Two kinds, by what the processor has:
// - AVX-512 with byte permutes (VBMI): sixteen blocks per register; the
//   256-byte table fits in four registers, so substituting sixteen words is
//   two permutes and a blend.
// - AVX2: eight blocks per register; a shuffle looks up sixteen entries, so
//   the table is sixteen rows, each byte picking its row by its high half.
// The results are those of the portable rounds.
#pragma once

#include <cstddef>
#include <cstdint>

// Blocks handed over at a time: a multiple of what either kind holds.
constexpr size_t kWideGroup = 16;

// Ordered: a processor with one kind has those before it.
enum class WideRounds { None, Avx2, Vbmi };

// The fastest kind this processor can run.
WideRounds bestWideRounds();

// Deciphers count blocks in place (count a multiple of kWideGroup), each
// with its own starting key (keys[n] for block n), through the
// substitution table sbox. kind must not be None nor beyond
// bestWideRounds(). The key chain is the caller's business.
void decipherWide(WideRounds kind, uint8_t* blocks, const uint32_t (*keys)[4], size_t count,
                  const uint8_t* sbox);
