// The music of a demo-time span as a WAV file: exactly what the music
// player plays over that span after a restart, for the capture tool.
#pragma once

#include <string>

struct MusicRenderRequest {
    std::string musicFile;     // the path the script gave loadmusic
    float musicStartTime = 0;  // setmusicstarttime
    float startTime = 0;       // setstarttime: the restart's demo time
    double from = 0;           // demo time of the first sample written
    double to = 0;             // demo time where the file ends
    bool looping = true;       // the player always loops
};

constexpr int musicRenderRate = 44100;

// Writes 44100 Hz 16-bit stereo: the music as played from the restart at
// startTime, silence before startTime and when the music file cannot be
// played. False (with a message naming the file) when the WAV cannot be
// written.
bool renderMusicToWav(const MusicRenderRequest& request, const std::string& wavPath);
