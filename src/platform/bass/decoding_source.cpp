#include "platform/bass/decoding_source.h"

void DecodingSource::seek(std::size_t frame) {
    if (frame != decoder_->position() % frames()) decoder_->seek(frame);
}

std::size_t DecodingSource::read(std::size_t frame, std::int16_t* out, std::size_t count) {
    seek(frame);
    decoder_->readLooping(out, count);
    return count;
}
