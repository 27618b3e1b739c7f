#include "archive/entry_compressor.h"

#include "archive/wav_format.h"

EntryCompressor::EntryCompressor(bool solid, size_t totalSize, const EncoderSettings& settings)
    : solid_(solid), settings_(settings), encoder_(settings) {
    // The solid stream never moves, so the match finder can point into it.
    data_.reserve(solid ? totalSize : 0);
}

std::optional<CompressedEntry> EntryCompressor::compress(std::span<const uint8_t> entry,
                                                         bool harmlessTail) {
    if (!solid_) {
        data_.assign(entry.begin(), entry.end());
        encoder_ = StreamEncoder(settings_);
        finder_ =
            std::make_unique<MatchFinder>(data_.data(), settings_.maxChain, settings_.niceLength);
        anyCompressed_ = false;
        historyStart_ = 0;
    } else if (!finder_) {
        finder_ =
            std::make_unique<MatchFinder>(data_.data(), settings_.maxChain, settings_.niceLength);
    }
    size_t begin = solid_ ? data_.size() : 0;
    if (solid_) data_.insert(data_.end(), entry.begin(), entry.end());
    size_t end = data_.size();
    Trial best = runTrial(false, false, begin, end, harmlessTail);
    if (findPcmLayout(entry)) {
        for (bool fresh : {false, true}) {
            if (fresh && !anyCompressed_) break;
            Trial audio = runTrial(true, fresh, begin, end, harmlessTail);
            if (audio.result.data.size() < best.result.data.size()) best = std::move(audio);
        }
    }
    if (best.result.data.size() >= entry.size()) {
        data_.resize(begin);
        return std::nullopt;
    }
    encoder_ = std::move(best.encoder);
    finder_ = std::move(best.finder);
    if (!best.result.continuation) historyStart_ = begin;
    anyCompressed_ = true;
    return std::move(best.result);
}

// Runs on copies, so a losing trial leaves no trace.
EntryCompressor::Trial EntryCompressor::runTrial(bool multimedia, bool freshStart, size_t begin,
                                                 size_t end, bool harmlessTail) {
    Trial trial{encoder_, std::make_unique<MatchFinder>(*finder_), {}};
    trial.result.continuation = anyCompressed_ && !freshStart;
    trial.result.multimedia = multimedia;
    trial.encoder.beginEntry(trial.result.continuation);
    if (multimedia) {
        encodeMultimedia(trial.encoder, *trial.finder, begin, end);
    } else {
        trial.encoder.encodeLz(data_.data(), begin, end, historyStart_, *trial.finder);
    }
    trial.result.data = trial.encoder.finishEntry(harmlessTail);
    return trial;
}

// The file's header and anything after the samples go as one channel, so
// the samples always start on channel 0.
void EntryCompressor::encodeMultimedia(StreamEncoder& encoder, MatchFinder& finder, size_t begin,
                                       size_t end) {
    std::span<const uint8_t> entry(data_.data() + begin, end - begin);
    PcmLayout layout = *findPcmLayout(entry);
    size_t samplesBegin = begin + layout.dataOffset;
    size_t samplesEnd = samplesBegin + layout.dataSize;
    encoder.encodeMultimedia(data_.data(), begin, samplesBegin, 1);
    encoder.encodeMultimedia(data_.data(), samplesBegin, samplesEnd, layout.byteChannels);
    encoder.encodeMultimedia(data_.data(), samplesEnd, end, 1);
    for (size_t i = begin; i < end; i++) finder.insert(i, end);
}
