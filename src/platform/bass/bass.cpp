// The library's one process-wide state: whether it is initialised, the
// output device and the streams. Calls come from the main thread; the audio
// thread only mixes, and changes to the streams happen under the device lock.
// Opening, seeking and freeing streams (which decode, or wait for their
// decoder threads) happen outside the lock, so the audio thread never waits
// for them.
#include "platform/bass/bass.h"

#include <memory>

#include "platform/bass/audio_clock.h"
#include "platform/bass/audio_output.h"
#include "platform/bass/buffered_source.h"
#include "platform/bass/file_window.h"
#include "platform/bass/memory_file.h"
#include "platform/bass/mixer.h"

namespace {

struct Library {
    bool initialised = false;
    int outputRate = 0;
    Mixer mixer;
    AudioOutput output;
};

Library& library() {
    static Library instance;
    return instance;
}

// Runs `use` on the stream under the device lock; `otherwise` for an
// unknown handle or before BASS_Init.
template <typename Result, typename Use>
Result withChannel(DWORD handle, Result otherwise, Use use) {
    Library& lib = library();
    if (!lib.initialised) return otherwise;
    AudioOutput::Lock lock(lib.output);
    StreamChannel* channel = lib.mixer.find(handle);
    return channel ? use(*channel) : otherwise;
}

// As withChannel, for a call that may move the stream; then, outside the
// lock, gets the stream's source ready at the new position. Only the main
// thread frees streams, so the channel outlives the call.
template <typename Use>
BOOL movingChannel(DWORD handle, Use use) {
    PcmSource* source = nullptr;
    std::size_t frame = 0;
    const BOOL done = withChannel(handle, BOOL(FALSE), [&](StreamChannel& channel) {
        if (!use(channel)) return BOOL(FALSE);
        source = &channel.source();
        frame = channel.positionFrame();
        return BOOL(TRUE);
    });
    if (source) source->seek(frame);
    return done;
}

std::unique_ptr<ByteSource> streamBytes(BOOL mem, const void* file, DWORD offset, DWORD length) {
    if (!mem) return FileWindow::open(static_cast<const char*>(file), offset, length);
    if (!file || length == 0) return nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(file);
    return std::make_unique<MemoryFile>(std::vector<std::uint8_t>(bytes, bytes + length));
}

}  // namespace

BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND window) {
    Library& lib = library();
    if (lib.initialised || freq == 0 || device < -1) return FALSE;
    if (!lib.output.open(device, int(freq), lib.mixer)) return FALSE;
    lib.output.start();
    lib.outputRate = int(freq);
    lib.initialised = true;
    return TRUE;
}

void BASS_Free() {
    Library& lib = library();
    if (!lib.initialised) return;
    lib.output.close();
    lib.mixer.removeAll();
    lib.initialised = false;
}

BOOL BASS_Start() {
    Library& lib = library();
    if (!lib.initialised) return FALSE;
    lib.output.start();
    return TRUE;
}

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags) {
    Library& lib = library();
    if (!lib.initialised) return 0;
    auto decoder = AudioDecoder::open(streamBytes(mem, file, offset, length));
    if (!decoder) return 0;
    const bool waitForDecoder = !lib.output.playsInRealTime();
    auto source = std::make_unique<BufferedSource>(std::move(decoder), waitForDecoder);
    auto channel = std::make_unique<StreamChannel>(std::move(source), flags, lib.outputRate);
    if (!channel->valid()) return 0;
    AudioOutput::Lock lock(lib.output);
    return lib.mixer.add(std::move(channel));
}

BOOL BASS_StreamFree(HSTREAM handle) {
    Library& lib = library();
    if (!lib.initialised) return FALSE;
    std::unique_ptr<StreamChannel> freed;
    {
        AudioOutput::Lock lock(lib.output);
        freed = lib.mixer.remove(handle);
    }
    return freed ? TRUE : FALSE;
}

DWORD BASS_StreamGetLength(HSTREAM handle) {
    return withChannel(handle, BASS_INVALID_VALUE,
                       [](StreamChannel& channel) { return channel.lengthBytes(); });
}

BOOL BASS_StreamPlay(HSTREAM handle, BOOL flush, DWORD flags) {
    return movingChannel(handle, [&](StreamChannel& channel) {
        channel.play(flush != FALSE, (flags & BASS_SAMPLE_LOOP) != 0);
        return true;
    });
}

BOOL BASS_ChannelStop(DWORD handle) {
    return withChannel(handle, BOOL(FALSE), [](StreamChannel& channel) {
        channel.stop();
        return BOOL(TRUE);
    });
}

DWORD BASS_ChannelIsActive(DWORD handle) {
    return withChannel(handle, BASS_ACTIVE_STOPPED, [](StreamChannel& channel) {
        return channel.playing() ? BASS_ACTIVE_PLAYING : BASS_ACTIVE_STOPPED;
    });
}

BOOL BASS_ChannelGetAttributes(DWORD handle, DWORD* freq, DWORD* volume, int* pan) {
    return withChannel(handle, BOOL(FALSE), [&](StreamChannel& channel) {
        if (freq) *freq = DWORD(channel.rate());
        if (volume) *volume = 100;
        if (pan) *pan = 0;
        return BOOL(TRUE);
    });
}

DWORD BASS_ChannelGetFlags(DWORD handle) {
    return withChannel(handle, BASS_INVALID_VALUE,
                       [](StreamChannel& channel) { return channel.flags(); });
}

BOOL BASS_ChannelSetPosition(DWORD handle, DWORD position) {
    return movingChannel(
        handle, [&](StreamChannel& channel) { return channel.setPositionBytes(position); });
}

DWORD BASS_ChannelGetPosition(DWORD handle) {
    return withChannel(handle, BASS_INVALID_VALUE,
                       [](StreamChannel& channel) { return channel.positionBytes(); });
}

double tessalClockSeconds() {
    return audioClockSeconds();
}

BOOL tessalChannelFollow(HSTREAM handle, DWORD position, double atSeconds) {
    const bool realTime = library().output.playsInRealTime();
    return withChannel(handle, BOOL(FALSE), [&](StreamChannel& channel) {
        if (realTime) channel.follow(position, atSeconds);
        return BOOL(TRUE);
    });
}
