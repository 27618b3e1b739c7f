#include "app/capture/capture_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const usage =
    "usage: tessal-capture DIR [--from T] [--to T] [--fps N] [--size WxH] [--out OUTDIR]\n"
    "                          [--overlay] [--compare GOLDEN [--min-psnr DB]]\n"
    "                          [--video FILE [--crf N] [--no-frames]]\n"
    "Plays the production in DIR with a fixed time step and writes one PNG per frame\n"
    "(frame00000.png, ...) into OUTDIR: frame k shows demo time T_from + k/N, up to and\n"
    "including T_to (default: the script's end time).\n"
    "  --from T      first demo time in seconds (default 0)\n"
    "  --to T        last demo time in seconds\n"
    "  --fps N       frames per second (default 30)\n"
    "  --size WxH    frame size in pixels (default 640x480)\n"
    "  --out OUTDIR  output folder, created if missing (default ./capture)\n"
    "  --overlay     draw the statistics overlay as the player does in unpacked mode\n"
    "                (left out by default: a capture is the demo)\n"
    "  --compare GOLDEN  compare every frame with the frame of the same name in\n"
    "                the folder of an earlier capture: prints each frame's PSNR, writes\n"
    "                diffNNNNN.png for frames below the threshold, and exits with 1 when\n"
    "                any frame is below it or missing on either side\n"
    "  --min-psnr DB threshold for --compare (default 40)\n"
    "  --video FILE  also write a video with the music; the extension chooses the kind:\n"
    "                .mp4 (H.264 + AAC), .mkv (H.264 + FLAC), .webm (VP9 + Opus)\n"
    "  --crf N       video quality, lower is better (default 18 for H.264 and 15 for\n"
    "                VP9: visually lossless)\n"
    "  --no-frames   with --video: write neither the PNG frames nor music.wav\n";

bool parseNumber(const char* text, float& out) {
    char* end = nullptr;
    out = std::strtof(text, &end);
    return end != text && *end == '\0';
}

bool parseSize(const char* text, int& width, int& height) {
    char x = 0;
    int consumed = 0;
    if (std::sscanf(text, "%d%c%d%n", &width, &x, &height, &consumed) != 3) return false;
    return text[consumed] == '\0' && (x == 'x' || x == 'X') && width > 0 && height > 0 &&
           width <= 8192 && height <= 8192;
}

bool fail(const char* what, const char* value) {
    std::fprintf(stderr, "tessal-capture: %s: %s\n", what, value ? value : "(missing)");
    return false;
}

bool parseOption(CaptureOptions& options, const char* name, const char* value) {
    float number = 0;
    if (!value) return fail("missing value for", name);
    if (!std::strcmp(name, "--from")) {
        if (!parseNumber(value, options.from)) return fail("bad time for --from", value);
    } else if (!std::strcmp(name, "--to")) {
        if (!parseNumber(value, number)) return fail("bad time for --to", value);
        options.to = number;
    } else if (!std::strcmp(name, "--fps")) {
        if (!parseNumber(value, number) || number < 1 || number > 1000 || number != int(number))
            return fail("bad frame rate for --fps (a whole number from 1 to 1000)", value);
        options.fps = int(number);
    } else if (!std::strcmp(name, "--size")) {
        if (!parseSize(value, options.width, options.height))
            return fail("bad size for --size (WxH, up to 8192x8192)", value);
    } else if (!std::strcmp(name, "--compare")) {
        options.goldenDir = value;
    } else if (!std::strcmp(name, "--min-psnr")) {
        if (!parseNumber(value, number) || !(number > 0))
            return fail("bad threshold for --min-psnr (dB above 0)", value);
        options.minPsnr = number;
    } else if (!std::strcmp(name, "--out")) {
        options.outDir = value;
    } else if (!std::strcmp(name, "--video")) {
        options.video = value;
    } else if (!std::strcmp(name, "--crf")) {
        if (!parseNumber(value, number) || number < 0 || number > 63 || number != int(number))
            return fail("bad quality for --crf (a whole number from 0 to 63)", value);
        options.crf = int(number);
    } else {
        return fail("unknown option", name);
    }
    return true;
}

}  // namespace

int parseCaptureOptions(int argc, char** argv, CaptureOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (!std::strcmp(arg, "--overlay")) {
            options.overlay = true;
        } else if (!std::strcmp(arg, "--no-frames")) {
            options.noFrames = true;
        } else if (arg[0] == '-' && arg[1] == '-') {
            if (!parseOption(options, arg, i + 1 < argc ? argv[i + 1] : nullptr)) return 2;
            ++i;
        } else if (options.productionDir.empty()) {
            options.productionDir = arg;
        } else {
            fail("unexpected argument", arg);
            return 2;
        }
    }
    if (options.productionDir.empty()) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (options.video.empty() && (options.noFrames || options.crf)) {
        std::fprintf(stderr, "tessal-capture: %s needs --video\n",
                     options.noFrames ? "--no-frames" : "--crf");
        return 2;
    }
    return -1;
}
