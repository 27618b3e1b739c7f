#include "d3dx/image_resample.h"

#include <algorithm>
#include <cmath>

namespace {

// The source pixels one output pixel takes along an axis, with weights
// summing to 1.
struct Contribution {
    UINT first = 0;
    std::vector<float> weights;
};

Contribution pointContribution(UINT out, double scale, UINT sourceSize) {
    const UINT nearest = std::min(UINT((out + 0.5) * scale), sourceSize - 1);
    return {nearest, {1.0f}};
}

// The overlap of the output pixel's span [out, out + 1) × scale with each
// source pixel.
Contribution boxContribution(UINT out, double scale, UINT sourceSize) {
    const double start = out * scale;
    const double end = std::min((out + 1) * scale, double(sourceSize));
    Contribution c;
    c.first = std::min(UINT(start), sourceSize - 1);
    for (UINT j = c.first; j < sourceSize && j < end; ++j)
        c.weights.push_back(
            float((std::min(end, j + 1.0) - std::max(start, double(j))) / (end - start)));
    return c;
}

Contribution triangleContribution(UINT out, double scale, UINT sourceSize) {
    const double centre = (out + 0.5) * scale - 0.5;
    const double radius = std::max(scale, 1.0);
    const long first = std::max(0L, long(std::ceil(centre - radius)));
    const long last = std::min(long(sourceSize) - 1, long(std::floor(centre + radius)));
    Contribution c;
    c.first = UINT(first);
    double total = 0;
    for (long j = first; j <= last; ++j) {
        const double weight = std::max(0.0, 1.0 - std::abs(j - centre) / radius);
        c.weights.push_back(float(weight));
        total += weight;
    }
    if (total <= 0) return pointContribution(out, scale, sourceSize);
    for (float& weight : c.weights) weight = float(weight / total);
    return c;
}

std::vector<Contribution> contributions(UINT sourceSize, UINT size, ResampleFilter filter) {
    const double scale = double(sourceSize) / size;
    std::vector<Contribution> all(size);
    for (UINT out = 0; out < size; ++out) {
        if (filter == ResampleFilter::Point)
            all[out] = pointContribution(out, scale, sourceSize);
        else if (filter == ResampleFilter::Box)
            all[out] = boxContribution(out, scale, sourceSize);
        else
            all[out] = triangleContribution(out, scale, sourceSize);
    }
    return all;
}

struct Colour {
    float c[4] = {0, 0, 0, 0};  // blue, green, red, alpha as stored
};

Colour unpack(DWORD pixel) {
    return {{float(pixel & 0xff), float((pixel >> 8) & 0xff), float((pixel >> 16) & 0xff),
             float(pixel >> 24)}};
}

DWORD pack(const Colour& colour) {
    DWORD pixel = 0;
    for (int i = 0; i < 4; ++i)
        pixel |= DWORD(std::clamp(std::lround(colour.c[i]), 0L, 255L)) << (8 * i);
    return pixel;
}

// One pass along rows (step 1) or columns (step = row length).
template <class Read, class Write>
void filterLine(const std::vector<Contribution>& along, std::size_t step, Read read, Write write) {
    for (std::size_t out = 0; out < along.size(); ++out) {
        Colour sum;
        const Contribution& c = along[out];
        for (std::size_t k = 0; k < c.weights.size(); ++k) {
            const Colour value = read((c.first + k) * step);
            for (int i = 0; i < 4; ++i) sum.c[i] += value.c[i] * c.weights[k];
        }
        write(out * step, sum);
    }
}

}  // namespace

std::vector<DWORD> resampleImage(const std::vector<DWORD>& source, UINT sourceWidth,
                                 UINT sourceHeight, UINT width, UINT height,
                                 ResampleFilter filter) {
    if (sourceWidth == width && sourceHeight == height) return source;
    const std::vector<Contribution> columns = contributions(sourceWidth, width, filter);
    const std::vector<Contribution> rows = contributions(sourceHeight, height, filter);
    std::vector<Colour> wide(std::size_t(width) * sourceHeight);
    for (UINT y = 0; y < sourceHeight; ++y) {
        const DWORD* in = source.data() + std::size_t(y) * sourceWidth;
        Colour* out = wide.data() + std::size_t(y) * width;
        filterLine(
            columns, 1, [&](std::size_t i) { return unpack(in[i]); },
            [&](std::size_t i, const Colour& c) { out[i] = c; });
    }
    std::vector<DWORD> result(std::size_t(width) * height);
    for (UINT x = 0; x < width; ++x)
        filterLine(
            rows, width, [&](std::size_t i) { return wide[x + i]; },
            [&](std::size_t i, const Colour& c) { result[x + i] = pack(c); });
    return result;
}
