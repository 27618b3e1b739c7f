#include "d3dx/image_resample.h"

#include <algorithm>
#include <cmath>

namespace {

ResampleContribution pointContribution(UINT out, double scale, UINT sourceSize) {
    const UINT nearest = std::min(UINT((out + 0.5) * scale), sourceSize - 1);
    return {nearest, {1.0f}};
}

// The overlap of the output pixel's span [out, out + 1) × scale with each
// source pixel.
ResampleContribution boxContribution(UINT out, double scale, UINT sourceSize) {
    const double start = out * scale;
    const double end = std::min((out + 1) * scale, double(sourceSize));
    ResampleContribution c;
    c.first = std::min(UINT(start), sourceSize - 1);
    for (UINT j = c.first; j < sourceSize && j < end; ++j)
        c.weights.push_back(
            float((std::min(end, j + 1.0) - std::max(start, double(j))) / (end - start)));
    return c;
}

ResampleContribution triangleContribution(UINT out, double scale, UINT sourceSize) {
    const double centre = (out + 0.5) * scale - 0.5;
    const double radius = std::max(scale, 1.0);
    const long first = std::max(0L, long(std::ceil(centre - radius)));
    const long last = std::min(long(sourceSize) - 1, long(std::floor(centre + radius)));
    ResampleContribution c;
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

// Output pixels take source pixels in order: `first` never decreases.
std::vector<ResampleContribution> contributions(UINT sourceSize, UINT size, ResampleFilter filter) {
    const double scale = double(sourceSize) / size;
    std::vector<ResampleContribution> all(size);
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

DWORD pack(const float* colour) {
    DWORD pixel = 0;
    for (int i = 0; i < 4; ++i)
        pixel |= DWORD(std::clamp(std::lround(colour[i]), 0L, 255L)) << (8 * i);
    return pixel;
}

UINT lastSourceRow(const ResampleContribution& c) {
    return c.first + UINT(c.weights.size()) - 1;
}

}  // namespace

RowResampler::RowResampler(UINT sourceWidth, UINT sourceHeight, UINT width, UINT height,
                           ResampleFilter filter)
    : unchanged_(sourceWidth == width && sourceHeight == height) {
    if (unchanged_) return;
    columns_ = contributions(sourceWidth, width, filter);
    rows_ = contributions(sourceHeight, height, filter);
    out_.resize(width);
}

void RowResampler::push(const DWORD* sourceRow, const RowSink& sink) {
    if (unchanged_) {
        sink(sourceRow);
        return;
    }
    window_.push_back(filterAlongRow(sourceRow));
    ++received_;
    while (next_ < rows_.size() && lastSourceRow(rows_[next_]) < received_) {
        emitRow(rows_[next_], sink);
        ++next_;
        dropRowsBefore(next_ < rows_.size() ? rows_[next_].first : received_);
    }
}

RowResampler::FilteredRow RowResampler::filterAlongRow(const DWORD* sourceRow) const {
    FilteredRow filtered(columns_.size() * 4, 0.0f);
    for (std::size_t out = 0; out < columns_.size(); ++out) {
        const ResampleContribution& c = columns_[out];
        float* sum = &filtered[out * 4];
        for (std::size_t k = 0; k < c.weights.size(); ++k) {
            const DWORD pixel = sourceRow[c.first + k];
            for (int i = 0; i < 4; ++i) sum[i] += float((pixel >> (8 * i)) & 0xff) * c.weights[k];
        }
    }
    return filtered;
}

void RowResampler::emitRow(const ResampleContribution& rows, const RowSink& sink) {
    for (std::size_t x = 0; x < out_.size(); ++x) {
        float sum[4] = {0, 0, 0, 0};
        for (std::size_t k = 0; k < rows.weights.size(); ++k) {
            const float* value = &window_[rows.first + k - windowFirst_][x * 4];
            for (int i = 0; i < 4; ++i) sum[i] += value[i] * rows.weights[k];
        }
        out_[x] = pack(sum);
    }
    sink(out_.data());
}

void RowResampler::dropRowsBefore(UINT sourceRow) {
    while (!window_.empty() && windowFirst_ < sourceRow) {
        window_.pop_front();
        ++windowFirst_;
    }
}

std::vector<DWORD> resampleImage(const std::vector<DWORD>& source, UINT sourceWidth,
                                 UINT sourceHeight, UINT width, UINT height,
                                 ResampleFilter filter) {
    if (sourceWidth == width && sourceHeight == height) return source;
    std::vector<DWORD> result;
    result.reserve(std::size_t(width) * height);
    RowResampler resampler(sourceWidth, sourceHeight, width, height, filter);
    for (UINT y = 0; y < sourceHeight; ++y)
        resampler.push(source.data() + std::size_t(y) * sourceWidth,
                       [&](const DWORD* row) { result.insert(result.end(), row, row + width); });
    return result;
}
