// Frame statistics: the frame rate over the last second or so and the text
// the overlay shows, "59.94 fps (640x480x32) (D16)".
#pragma once

#include <string>

#include "platform/d3d8/d3d8types.h"

class FrameRateCounter {
  public:
    // Counts one presented frame at absolute time `now`. Once more than one
    // second has passed since the last update, computes the rate into
    // *rate, starts counting afresh and returns true.
    bool countFrame(float now, float* rate);

  private:
    unsigned frames_ = 0;
    float lastUpdateTime_ = 0;
};

// " (D16)" and the like; empty for formats that are not depth formats.
const char* depthFormatSuffix(D3DFORMAT format);

// "%.02f fps (%dx%dx%d)": 32 bits for an X8R8G8B8 display, 16 for any other
// format; the depth suffix follows when a depth buffer is used.
std::string frameStatsText(float rate, UINT width, UINT height, D3DFORMAT displayFormat,
                           bool useDepthBuffer, D3DFORMAT depthFormat);
