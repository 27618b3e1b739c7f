// Shared helpers of the archive tests: packing entries in memory, extracting
// them with a private debug log, and generated test data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_writer.h"
#include "archive/debug_log.h"

// A debug log in a fresh temporary directory, removed afterwards.
class ScratchLog {
  public:
    ScratchLog();
    ~ScratchLog();
    DebugLog& log() { return log_; }
    std::string text() const;
    bool contains(const std::string& message) const {
        return text().find(message) != std::string::npos;
    }
    const std::string& directory() const { return directory_; }

  private:
    std::string directory_;
    DebugLog log_;
};

struct Extracted {
    bool ok = false;
    std::vector<uint8_t> bytes;
    bool nullOnFailure = true;  // buffer null and size 0 when it failed
};

Extracted extract(const std::vector<uint8_t>& archive, const std::string& name,
                  const char* password, DebugLog& log);
Extracted extract(const std::vector<uint8_t>& archive, const std::string& name,
                  const char* password = nullptr);

PackOptions withPassword(const std::string& password);
std::vector<uint8_t> pack(const std::vector<PackEntry>& entries, const PackOptions& options = {});

std::vector<uint8_t> bytesOf(const std::string& text);
std::vector<uint8_t> sampleText(size_t size, uint32_t seed = 1);
std::vector<uint8_t> noise(size_t size, uint32_t seed = 7);
// A RIFF/WAVE file of PCM samples: a few sine tones and a little noise.
std::vector<uint8_t> pcmWave(size_t frames, int channels, int bits, uint32_t seed = 3);
