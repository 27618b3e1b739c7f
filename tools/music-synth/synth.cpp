#include "synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double beatSeconds = 0.5;
constexpr double pi = 3.14159265358979323846;

// Semitones above A2 (110 Hz) of the chord roots: Am, F, C, G.
constexpr int chordRoots[4] = {0, -4, 3, -2};
// Minor or major third of each chord.
constexpr int chordThirds[4] = {3, 4, 4, 4};

double noteHz(double semitones) {
    return 110.0 * std::pow(2.0, semitones / 12.0);
}

double kick(double sinceBeat) {
    const double sweep = 50.0 + 100.0 * std::exp(-sinceBeat * 30.0);
    return std::sin(2 * pi * sweep * sinceBeat) * std::exp(-sinceBeat * 8.0);
}

double hat(double sinceOffBeat, unsigned& noise) {
    noise = noise * 1664525u + 1013904223u;
    const double white = double(noise >> 8) / double(1u << 23) - 1.0;
    return white * std::exp(-sinceOffBeat * 60.0);
}

// A softened sawtooth: a few harmonics.
double tone(double hz, double t) {
    double v = 0;
    for (int h = 1; h <= 4; ++h) v += std::sin(2 * pi * hz * h * t) / h;
    return v * 0.5;
}

double bass(int chord, double t, double sinceBeat) {
    return tone(noteHz(chordRoots[chord] - 12), t) * std::exp(-sinceBeat * 3.0);
}

double pad(int chord, double t) {
    const int root = chordRoots[chord] + 12;
    return (tone(noteHz(root), t) + tone(noteHz(root + chordThirds[chord]), t) +
            tone(noteHz(root + 7), t)) /
           3.0;
}

double arpeggio(int chord, double t) {
    const int step = int(t / (beatSeconds / 4)) % 4;
    const int offsets[4] = {0, chordThirds[chord], 7, 12};
    const double sinceStep = std::fmod(t, beatSeconds / 4);
    const double hz = noteHz(chordRoots[chord] + 24 + offsets[step]);
    return std::sin(2 * pi * hz * t) * std::exp(-sinceStep * 12.0);
}

}  // namespace

std::vector<float> synthesiseTrack(int bars) {
    const std::size_t frames = std::size_t(bars * 4 * beatSeconds * synthRate);
    std::vector<float> out(2 * frames);
    unsigned noise = 7;
    for (std::size_t f = 0; f < frames; ++f) {
        const double t = double(f) / synthRate;
        const double sinceBeat = std::fmod(t, beatSeconds);
        const double sinceOffBeat = std::fmod(t + beatSeconds / 2, beatSeconds);
        const int bar = int(t / (4 * beatSeconds));
        const int chord = bar % 4;
        const double drums = 0.5 * kick(sinceBeat) + 0.08 * hat(sinceOffBeat, noise);
        const double melodic = 0.25 * bass(chord, t, sinceBeat) + 0.12 * pad(chord, t);
        const double lead = bar >= 2 ? 0.1 * arpeggio(chord, t) : 0.0;
        out[2 * f] = float(std::clamp(drums + melodic + 0.8 * lead, -1.0, 1.0));
        out[2 * f + 1] = float(std::clamp(drums + melodic + 1.2 * lead, -1.0, 1.0));
    }
    return out;
}
