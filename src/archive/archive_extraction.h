// One extraction: scans the archive bytes from the start, finds the wanted
// entry and decodes it (and, in a solid archive, every entry before it).
// Everything here lives for one call only.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "archive/block_header.h"
#include "archive/byte_reader.h"
#include "archive/cipher.h"
#include "archive/crc32.h"
#include "archive/data_area.h"
#include "archive/debug_log.h"
#include "archive/decompressor.h"
#include "archive/output_buffer.h"
#include "archive/secret_text.h"

class ArchiveExtraction {
  public:
    explicit ArchiveExtraction(DebugLog& log);
    ~ArchiveExtraction();

    // Copies the names and the password and logs what is asked for.
    void begin(const char* entryName, const char* archivePath, const char* password);
    // The scan over the archive's bytes; true when the entry was extracted.
    bool scan(std::span<const uint8_t> archive);
    // Wipes the password and releases the window.
    void finish();
    // Stores the result in the caller's variables and logs the outcome.
    int report(bool succeeded, uint8_t** buffer, uint32_t* size);

    const SecretText& password() const { return password_; }

  private:
    enum class Found { None, FileHeader, SubBlock };

    bool readMarkerAndMainHeader(ByteReader& in, MainHeader& main);
    Found findNextFileHeader(ByteReader& in);
    void readName(ByteReader& in, std::span<const uint8_t> record);
    bool extractEntries(ByteReader& in, bool solid);
    bool decodeEntry(ByteReader& in, bool found);
    bool readStored(DataArea& area);
    bool checkContent();

    DebugLog& log_;
    CrcTable crcTable_;
    Cipher cipher_;
    std::string entryName_;
    std::string archivePath_;
    SecretText password_;
    BlockHeader header_;
    size_t blockStart_ = 0;
    size_t nextBlock_ = 0;
    uint8_t* window_ = nullptr;
    std::unique_ptr<Decompressor> decompressor_;  // lives across the entries of a solid archive
    std::unique_ptr<OutputBuffer> output_;
};
