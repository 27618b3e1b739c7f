// The music player: one BASS stream, put at the point of the music that
// matches the demo's time line and played looping.
#pragma once

#include <string>

#include "platform/bass/bass.h"

class MusicPlayer {
  public:
    // BASS_Init on the default device at 44100 Hz; audioReady tells whether
    // it worked. A failure is not reported: the demo runs without sound.
    void init(HWND window);
    // Creates the stream for the file at path (used as given); a failed load
    // leaves no music.
    void load(const std::string& path);
    // Puts the stream at `seconds` from the start of the music and plays it
    // looping. It is called as the demo's clock (re)starts: the music then
    // stays in step with that clock (the frame timer, which reads the same
    // performance counter as the audio layer) until it is stopped.
    void playAt(float seconds);
    // Stops the stream; the handle stays, so playAt plays it again.
    void stop();
    // Releases the library and every stream; init may follow again.
    void shutdown();

    bool audioReady = false;
    HSTREAM stream = 0;
    // The path of the latest load, kept as given (also when audio is not
    // ready), so that tools can render the same music.
    std::string path;
};

// The process-wide player.
MusicPlayer& musicPlayer();

// The byte position playAt uses for `seconds` in a stream of `length` bytes
// with the given rate and flags. The rate is the length over its whole
// seconds, so a stream that is not a whole number of seconds long is placed
// slightly ahead. A stream shorter than a second uses its true byte rate; a
// position past the end is taken round the loop; a negative or NaN time
// or infinite time gives 0.
DWORD musicBytePosition(DWORD length, DWORD freq, DWORD flags, float seconds);
