#include "app/capture/capture_progress.h"

CaptureProgress::CaptureProgress(int total, bool terminal, std::FILE* out)
    : total_(total),
      terminal_(terminal),
      out_(out),
      start_(std::chrono::steady_clock::now()),
      lastShown_(start_) {}

double CaptureProgress::seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void CaptureProgress::frameDone(int done) {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    // A few updates a second are enough to read, and cost nothing.
    if (done != total_ && now - lastShown_ < std::chrono::milliseconds(200)) return;
    lastShown_ = now;
    const double elapsed = seconds();
    const double rate = elapsed > 0 ? done / elapsed : 0;
    const double left = rate > 0 ? (total_ - done) / rate : 0;
    std::fprintf(out_, "\rtessal-capture: frame %d of %d, %.1f frames/s, %.0f s left   ", done,
                 total_, rate, left);
    std::fflush(out_);
}

void CaptureProgress::end(int done) {
    const double elapsed = seconds();
    if (terminal_) std::fputc('\n', out_);
    std::fprintf(out_, "tessal-capture: %d of %d frames in %.1f s (%.1f frames/s)\n", done, total_,
                 elapsed, elapsed > 0 ? done / elapsed : 0.0);
}
