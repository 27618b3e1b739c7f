#include "media/music_player.h"
#include "app/problem_sink.h"

#include <cmath>

MusicPlayer& musicPlayer() {
    static MusicPlayer player;
    return player;
}

void MusicPlayer::init(HWND window) {
    audioReady = BASS_Init(-1, 44100, 0, window) != 0;
}

void MusicPlayer::load(const std::string& newPath) {
    path = newPath;
    if (!audioReady) return;
    stream = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_MP3_SETPOS);
    if (stream == 0) reportProblem(ProblemKind::musicLoad, path, "cannot be opened as music");
}

void MusicPlayer::playAt(float seconds) {
    if (stream == 0 || !audioReady) return;
    // The demo's clock starts from `seconds` now; from here on the layer
    // keeps the music where that clock wants it.
    const double startedAt = tessalClockSeconds();
    const DWORD length = BASS_StreamGetLength(stream);
    DWORD freq = 0;
    BASS_ChannelGetAttributes(stream, &freq, nullptr, nullptr);
    const DWORD flags = BASS_ChannelGetFlags(stream);
    const DWORD position = musicBytePosition(length, freq, flags, seconds);
    BASS_ChannelSetPosition(stream, position);
    BASS_Start();
    BASS_StreamPlay(stream, FALSE, BASS_SAMPLE_LOOP);
    tessalChannelFollow(stream, position, startedAt);
}

void MusicPlayer::stop() {
    if (stream != 0 && audioReady) BASS_ChannelStop(stream);
}

void MusicPlayer::shutdown() {
    if (audioReady) BASS_Free();
    // The library is gone and the handle with it.
    audioReady = false;
    stream = 0;
}

DWORD musicBytePosition(DWORD length, DWORD freq, DWORD flags, float seconds) {
    const DWORD channels = (flags & BASS_SAMPLE_MONO) ? 1 : 2;
    const DWORD bytesPerSample = (flags & BASS_SAMPLE_8BITS) ? 1 : 2;
    const DWORD bytesPerSecond = freq * channels * bytesPerSample;
    if (bytesPerSecond == 0 || length == 0) return 0;
    if (!(seconds > 0) || std::isinf(seconds)) return 0;
    const DWORD wholeSeconds = length / bytesPerSecond;
    const DWORD byteRate = wholeSeconds != 0 ? length / wholeSeconds : bytesPerSecond;
    const double position = std::trunc(double(byteRate) * seconds);
    // Past the end, the looping music has gone round: fmod of two integers
    // below 2^1024 is exact.
    return DWORD(std::fmod(position, double(length)));
}
