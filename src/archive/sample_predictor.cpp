#include "archive/sample_predictor.h"

#include <cstdlib>

namespace {

void nudge(int& weight, bool down) {
    if (down && weight >= -16) weight--;
    if (!down && weight < 16) weight++;
}

}  // namespace

void SamplePredictor::reset() {
    for (Channel& v : channels_) v = Channel{};
    crossChannelDelta_ = 0;
}

void SamplePredictor::adaptWeights(Channel& v) {
    int k = 0;
    for (int i = 1; i < 11; i++) {
        if (v.deviation[i] < v.deviation[k]) k = i;
    }
    for (uint32_t& d : v.deviation) d = 0;
    int* weights[5] = {&v.weight1, &v.weight2, &v.weight3, &v.weight4, &v.weight5};
    if (k > 0) nudge(*weights[(k - 1) / 2], k % 2 == 1);
}
