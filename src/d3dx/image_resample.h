// Rescaling of A8R8G8B8 images, channel by channel, with the filters of the
// texture loaders: point, box (the exact area average) and triangle (a tent
// as wide as the scale when shrinking, linear interpolation when growing).
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/d3d8/d3d8types.h"

enum class ResampleFilter { Point, Box, Triangle };

// The source pixels one output pixel takes along an axis, with weights
// summing to 1.
struct ResampleContribution {
    UINT first = 0;
    std::vector<float> weights;
};

// Rescales an image a row at a time: source rows go in top first, and each
// output row comes out, top first, as soon as the source rows it takes are
// in. Only the filtered source rows that output rows still need are kept.
// Images of the same size pass through unchanged.
class RowResampler {
  public:
    using RowSink = std::function<void(const DWORD* row)>;

    // All sizes at least 1.
    RowResampler(UINT sourceWidth, UINT sourceHeight, UINT width, UINT height,
                 ResampleFilter filter);

    // Takes the next source row (sourceWidth pixels) and hands every output
    // row it completes (width pixels) to `sink`.
    void push(const DWORD* sourceRow, const RowSink& sink);

  private:
    // A row filtered along its length: four floats a pixel (blue, green,
    // red, alpha as stored).
    using FilteredRow = std::vector<float>;

    FilteredRow filterAlongRow(const DWORD* sourceRow) const;
    void emitRow(const ResampleContribution& rows, const RowSink& sink);
    void dropRowsBefore(UINT sourceRow);

    bool unchanged_;
    std::vector<ResampleContribution> columns_, rows_;
    std::deque<FilteredRow> window_;  // filtered source rows from windowFirst_ on
    UINT windowFirst_ = 0;
    UINT received_ = 0;
    UINT next_ = 0;  // the next output row
    std::vector<DWORD> out_;
};

// The image of sourceWidth × sourceHeight pixels (rows top first) at
// width × height; all sizes at least 1.
std::vector<DWORD> resampleImage(const std::vector<DWORD>& source, UINT sourceWidth,
                                 UINT sourceHeight, UINT width, UINT height, ResampleFilter filter);
