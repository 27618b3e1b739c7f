#include "platform/bass/simulated_output.h"

SimulatedOutput::SimulatedOutput(Mixer& mixer, double speed, double startSeconds,
                                 double jitterSeconds, int rate, int bufferFrames)
    : mixer_(mixer),
      bufferSeconds_(double(bufferFrames) / (rate * speed)),
      jitterSeconds_(jitterSeconds),
      now_(startSeconds),
      due_(startSeconds),
      buffer_(std::size_t(2 * bufferFrames)) {}

const std::vector<std::int16_t>& SimulatedOutput::nextBuffer() {
    random_ = random_ * 1103515245u + 12345u;
    now_ = due_ + jitterSeconds_ * double(random_ >> 16) / 65536.0;
    mixer_.render(buffer_.data(), int(buffer_.size() / 2), now_);
    due_ += bufferSeconds_;
    return buffer_;
}
