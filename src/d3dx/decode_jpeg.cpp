// JPEG through libjpeg(-turbo): grey, colour and CMYK (Adobe's inverted
// convention), delivered as BGRA rows. A stream that ends before the image
// is complete is refused rather than padded. libjpeg reports errors by
// longjmp, so everything that must survive one lives in the session object.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "d3dx/decoded_image.h"
#include "d3dx/image_reader.h"

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void failDecoding(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void ignoreMessage(j_common_ptr, int) {}

// The whole input is handed over at once; asking for more means the stream
// was cut short.
void noOperation(j_decompress_ptr) {}

boolean refuseMoreInput(j_decompress_ptr info) {
    failDecoding(reinterpret_cast<j_common_ptr>(info));
    return FALSE;
}

void skipInput(j_decompress_ptr info, long count) {
    jpeg_source_mgr* source = info->src;
    if (count <= 0) return;
    if (std::size_t(count) > source->bytes_in_buffer)
        failDecoding(reinterpret_cast<j_common_ptr>(info));
    source->next_input_byte += count;
    source->bytes_in_buffer -= std::size_t(count);
}

DWORD cmykPixel(const JSAMPLE* sample) {
    // Adobe writes CMYK inverted: each stored value is 255 minus the ink.
    const unsigned k = sample[3];
    const auto channel = [k](unsigned value) { return (value * k + 127) / 255; };
    return 0xff000000u | channel(sample[0]) << 16 | channel(sample[1]) << 8 | channel(sample[2]);
}

class JpegSession {
  public:
    explicit JpegSession(ImageBytes bytes) : reader_(bytes) {
        info_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = failDecoding;
        errors_.base.emit_message = ignoreMessage;
    }
    ~JpegSession() {
        if (created_) jpeg_destroy_decompress(&info_);
    }
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;

    bool decode(const ImageLimits& limits, DecodedImage& image);

  private:
    void attachSource();
    bool readHeader(const ImageLimits& limits, DecodedImage& image);
    void readRows(DecodedImage& image);

    ImageReader reader_;
    jpeg_decompress_struct info_{};
    ErrorManager errors_{};
    jpeg_source_mgr source_{};
    std::vector<JSAMPLE> cmykRow_;
    bool created_ = false;
};

bool JpegSession::decode(const ImageLimits& limits, DecodedImage& image) {
    if (setjmp(errors_.jump)) return false;
    jpeg_create_decompress(&info_);
    created_ = true;
    attachSource();
    if (!readHeader(limits, image)) return false;
    jpeg_start_decompress(&info_);
    image.allocate(image.width, image.height);
    readRows(image);
    return true;
}

void JpegSession::attachSource() {
    std::span<const std::uint8_t> all = reader_.take(reader_.remaining());
    source_.next_input_byte = all.data();
    source_.bytes_in_buffer = all.size();
    source_.init_source = noOperation;
    source_.fill_input_buffer = refuseMoreInput;
    source_.skip_input_data = skipInput;
    source_.resync_to_restart = jpeg_resync_to_restart;
    source_.term_source = noOperation;
    info_.src = &source_;
}

bool JpegSession::readHeader(const ImageLimits& limits, DecodedImage& image) {
    if (jpeg_read_header(&info_, TRUE) != JPEG_HEADER_OK) return false;
    if (!limits.allow(info_.image_width, info_.image_height)) return false;
    image.width = info_.image_width;
    image.height = info_.image_height;
    image.fileFormat = D3DXIFF_JPG;
    const bool cmyk = info_.jpeg_color_space == JCS_CMYK || info_.jpeg_color_space == JCS_YCCK;
    image.sourceFormat = info_.jpeg_color_space == JCS_GRAYSCALE ? D3DFMT_L8 : D3DFMT_X8R8G8B8;
    info_.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    return true;
}

void JpegSession::readRows(DecodedImage& image) {
    const bool cmyk = info_.out_color_space == JCS_CMYK;
    if (cmyk) cmykRow_.resize(std::size_t(image.width) * 4);
    while (info_.output_scanline < info_.output_height) {
        DWORD* row = image.pixels.data() + std::size_t(info_.output_scanline) * image.width;
        JSAMPROW target = cmyk ? cmykRow_.data() : reinterpret_cast<JSAMPROW>(row);
        jpeg_read_scanlines(&info_, &target, 1);
        if (!cmyk) continue;
        for (UINT x = 0; x < image.width; ++x) row[x] = cmykPixel(&cmykRow_[std::size_t(x) * 4]);
    }
    // BGRA output leaves the fourth byte at 0xff already.
}

}  // namespace

bool decodeJpeg(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image) {
    if (bytes.size() < 3 || bytes[0] != 0xff || bytes[1] != 0xd8 || bytes[2] != 0xff) return false;
    JpegSession session(bytes);
    return session.decode(limits, image);
}
