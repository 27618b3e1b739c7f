// The music of a demo-time span: exactly what the music player plays over
// that span after a restart, for the capture tool, as a WAV file or block by
// block for a video's sound.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class StreamChannel;

struct MusicRenderRequest {
    std::string musicFile;     // the path the script gave loadmusic
    float musicStartTime = 0;  // setmusicstarttime
    float startTime = 0;       // setstarttime: the restart's demo time
    double from = 0;           // demo time of the first sample written
    double to = 0;             // demo time where the file ends
    bool looping = true;       // the player always loops
};

constexpr int musicRenderRate = 44100;

// Sample frames from demo time `from` to `to`: the length of the rendered span.
std::int64_t musicRenderFrames(double from, double to);

// Interleaved 16-bit stereo frames, `count` of them.
using MusicBlockWriter = std::function<void(const std::int16_t* frames, int count)>;

// The music from the request's `from` on, 44100 Hz 16-bit stereo: silence
// before startTime and when the music file cannot be played. Decodes as it
// goes, so the music is never all in memory; `to` is not used.
class MusicRender {
  public:
    explicit MusicRender(const MusicRenderRequest& request);
    ~MusicRender();
    MusicRender(const MusicRender&) = delete;
    MusicRender& operator=(const MusicRender&) = delete;

    // Hands the next `frames` frames to `write`, in blocks.
    void render(std::int64_t frames, const MusicBlockWriter& write);
    // Frames handed out so far.
    std::int64_t rendered() const { return at_ - begin_; }

  private:
    std::unique_ptr<StreamChannel> channel_;
    std::int64_t begin_ = 0;  // frames from the restart to `from`
    std::int64_t at_ = 0;     // the next frame, counted from the restart
};

// Writes the span from `from` to `to` as a 44100 Hz 16-bit stereo WAV file.
// False (with a message naming the file) when it cannot be written.
bool renderMusicToWav(const MusicRenderRequest& request, const std::string& wavPath);
