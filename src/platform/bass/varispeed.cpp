#include "platform/bass/varispeed.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int pullFrames = 256;

// Catmull-Rom through p1 (t = 0) and p2 (t = 1).
std::int16_t hermite(int p0, int p1, int p2, int p3, double t) {
    const double a = -0.5 * p0 + 1.5 * p1 - 1.5 * p2 + 0.5 * p3;
    const double b = p0 - 2.5 * p1 + 2.0 * p2 - 0.5 * p3;
    const double c = -0.5 * p0 + 0.5 * p2;
    const double value = ((a * t + b) * t + c) * t + p1;
    return std::int16_t(std::clamp(std::lround(value), -32768l, 32767l));
}

}  // namespace

void Varispeed::reset() {
    window_.clear();
    position_ = 1.0;
    started_ = false;
}

double Varispeed::heldFrames() const {
    return std::max(0.0, double(frames()) - position_);
}

// Makes window frame `last` available: drops frames no longer needed and
// pulls more. The first frame pulled is also taken as the one before it.
bool Varispeed::ensureInput(std::size_t last, const Pull& pull) {
    while (last >= frames()) {
        const std::size_t done = std::size_t(position_) - 1;  // frames behind the interpolation
        window_.erase(window_.begin(), window_.begin() + std::ptrdiff_t(2 * done));
        position_ -= double(done);
        last -= done;
        const std::size_t had = frames();
        window_.resize(2 * (had + pullFrames));
        const int got = pull(window_.data() + 2 * had, pullFrames);
        window_.resize(2 * (had + std::size_t(std::max(got, 0))));
        if (got <= 0) return false;
        if (!started_) {
            const std::int16_t first[2] = {window_[0], window_[1]};
            window_.insert(window_.begin(), first, first + 2);
        }
        started_ = true;
    }
    return true;
}

int Varispeed::process(std::int16_t* out, int count, double speed, const Pull& pull) {
    for (int i = 0; i < count; ++i) {
        if (!ensureInput(std::size_t(position_) + 2, pull)) return i;
        const std::size_t at = std::size_t(position_);
        const double t = position_ - double(at);
        for (int c = 0; c < 2; ++c) {
            const std::int16_t* w = window_.data() + c;
            out[2 * i + c] =
                hermite(w[2 * (at - 1)], w[2 * at], w[2 * (at + 1)], w[2 * (at + 2)], t);
        }
        position_ += speed;
    }
    return count;
}
