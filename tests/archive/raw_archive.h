// Archives and compressed streams built by hand, for the cases an encoder
// never produces and for damaged input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/bit_writer.h"
#include "archive/table_set.h"

struct RawEntry {
    std::string name;
    std::vector<uint8_t> area;  // the data area as stored
    uint32_t fullSize = 0;
    uint32_t contentCrc = 0;
    uint16_t flags = 0;  // beyond the data-area flag
    uint8_t requiredVersion = 20;
    uint8_t packMethod = 0x35;
    uint8_t type = 0x74;
    bool breakHeaderCrc = false;
    std::vector<uint8_t> extraHeader;  // optional header fields after the name
};

// An entry whose content is given: stored unless area is set afterwards.
RawEntry rawEntry(const std::string& name, const std::vector<uint8_t>& content);

std::vector<uint8_t> rawArchive(const std::vector<RawEntry>& entries, bool solid = false,
                                const std::string& marker = "Rar!\x1a\x07");

// Writes a compressed stream symbol by symbol under tables of one's choosing.
class StreamBuilder {
  public:
    // The first set of an entry (no switch symbol before it).
    void tables(const TableSet& set);
    // A table switch (symbol 269, or 256 on the given channel) then a new set.
    void switchTables(const TableSet& set, uint32_t channel = 0);
    void symbol(uint32_t alphabet, uint32_t symbol);
    void bits(uint32_t value, uint32_t count) { out_.write(value, count); }
    std::vector<uint8_t> finish() { return out_.finish(); }

  private:
    BitWriter out_;
    TableSet current_;
    uint8_t previous_[1028] = {};
};

// An LZ table set giving every listed literal-code symbol the same length.
TableSet lzTables(const std::vector<uint32_t>& literalSymbols,
                  const std::vector<uint32_t>& distanceSymbols = {},
                  const std::vector<uint32_t>& repeatSymbols = {});
// A multimedia set; channel c may use the listed symbols.
TableSet multimediaTables(const std::vector<std::vector<uint32_t>>& symbolsPerChannel);
