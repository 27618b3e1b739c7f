// tessal-music-synth: writes the sample production's music track, an Ogg
// Vorbis file of eighteen bars (36 seconds) that loops cleanly.
#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "synth.h"

namespace {

constexpr int bars = 18;

void printUsage() {
    std::puts(
        "usage: tessal-music-synth OUTPUT.ogg\n"
        "Writes 36 seconds of synthesised music as Ogg Vorbis (44100 Hz stereo).");
}

bool writeOgg(const std::string& path, const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = synthRate;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "tessal-music-synth: cannot write %s: %s\n", path.c_str(),
                     sf_strerror(nullptr));
        return false;
    }
    double quality = 0.3;  // small file, good enough for a sample
    sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    // In blocks: the Vorbis encoder fails on very large single writes.
    const sf_count_t frames = sf_count_t(samples.size() / 2);
    bool ok = true;
    for (sf_count_t f = 0; f < frames && ok; f += 4096) {
        const sf_count_t count = std::min<sf_count_t>(4096, frames - f);
        ok = sf_writef_float(file, samples.data() + 2 * f, count) == count;
    }
    sf_close(file);
    if (!ok) std::fprintf(stderr, "tessal-music-synth: writing %s failed\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        printUsage();
        return 0;
    }
    if (argc != 2) {
        printUsage();
        return 2;
    }
    return writeOgg(argv[1], synthesiseTrack(bars)) ? 0 : 1;
}
