// One capture run: the player's engine with a stepped clock and frames read
// back from the back buffer.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "app/capture/capture_options.h"
#include "app/capture/frame_sink.h"
#include "app/demo_app.h"
#include "media/music_render.h"

// The demo application with its back buffer sized to the capture.
class CaptureApp : public DemoApp {
  public:
    HRESULT resizeBackBuffer(int width, int height);
};

using FrameSinks = std::vector<std::unique_ptr<FrameSink>>;

// The sinks the options ask for, in the order they take each frame, the
// video's sound rendered from `music`.
FrameSinks makeFrameSinks(const CaptureOptions& options,
                          const std::optional<MusicRenderRequest>& music);

// Plays the production in the current directory and writes the frames.
// Returns 0 on success, 1 when the script fails, an output cannot be opened
// or a frame cannot be written,
// -1 when the player cannot start. The app must not have been created yet.
int runCapture(const CaptureOptions& options, CaptureApp& app);
int runCapture(const CaptureOptions& options);
