// PNG through libpng: palettes, grey, alpha (channel or tRNS), 1 to 16 bits
// per channel, interlaced or not, all delivered as 8-bit BGRA rows. libpng
// reports errors by longjmp, so everything that must survive one lives in
// the session object, not in locals of the function that set the jump.
#include <png.h>

#include "d3dx/decoded_image.h"
#include "d3dx/image_reader.h"

namespace {

constexpr std::uint8_t PNG_SIGNATURE_BYTES[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

void readFromReader(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<ImageReader*>(png_get_io_ptr(png));
    std::span<const std::uint8_t> bytes = reader->take(count);
    if (bytes.size() != count) png_error(png, "truncated");
    std::copy(bytes.begin(), bytes.end(), out);
}

void failDecoding(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

D3DFORMAT sourceFormat(int colourType, int bitDepth) {
    switch (colourType) {
        case PNG_COLOR_TYPE_PALETTE:
            return D3DFMT_P8;
        case PNG_COLOR_TYPE_GRAY:
            return D3DFMT_L8;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return D3DFMT_A8L8;
        case PNG_COLOR_TYPE_RGB:
            return bitDepth == 16 ? D3DFMT_UNKNOWN : D3DFMT_R8G8B8;
        default:
            return D3DFMT_A8R8G8B8;
    }
}

class PngSession {
  public:
    explicit PngSession(ImageBytes bytes) : reader_(bytes) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failDecoding, ignoreWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~PngSession() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngSession(const PngSession&) = delete;
    PngSession& operator=(const PngSession&) = delete;

    bool decode(const ImageLimits& limits, DecodedImage& image);

  private:
    bool readHeader(const ImageLimits& limits, DecodedImage& image);
    void requestBgra();

    ImageReader reader_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::vector<png_bytep> rows_;
};

bool PngSession::decode(const ImageLimits& limits, DecodedImage& image) {
    if (png_ == nullptr || info_ == nullptr) return false;
    if (setjmp(png_jmpbuf(png_))) return false;
    if (!readHeader(limits, image)) return false;
    requestBgra();
    png_read_update_info(png_, info_);
    if (png_get_rowbytes(png_, info_) != std::size_t(image.width) * 4) return false;
    image.allocate(image.width, image.height);
    rows_.resize(image.height);
    for (UINT y = 0; y < image.height; ++y)
        rows_[y] = reinterpret_cast<png_bytep>(image.pixels.data() + std::size_t(y) * image.width);
    png_read_image(png_, rows_.data());
    return true;
}

bool PngSession::readHeader(const ImageLimits& limits, DecodedImage& image) {
    png_set_read_fn(png_, &reader_, readFromReader);
    png_set_user_limits(png_, limits.maxWidth, limits.maxHeight);
    png_read_info(png_, info_);
    const png_uint_32 width = png_get_image_width(png_, info_);
    const png_uint_32 height = png_get_image_height(png_, info_);
    if (!limits.allow(width, height)) return false;
    image.width = width;
    image.height = height;
    image.fileFormat = D3DXIFF_PNG;
    image.sourceFormat =
        sourceFormat(png_get_color_type(png_, info_), png_get_bit_depth(png_, info_));
    return true;
}

// Every colour type becomes 8-bit B, G, R, A in memory: an A8R8G8B8 word.
void PngSession::requestBgra() {
    png_set_expand(png_);  // palette to RGB, low-bit grey to 8 bits, tRNS to alpha
    png_set_scale_16(png_);
    png_set_gray_to_rgb(png_);
    png_set_bgr(png_);
    png_set_filler(png_, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png_);
}

}  // namespace

bool decodePng(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image) {
    if (bytes.size() < sizeof PNG_SIGNATURE_BYTES ||
        !std::equal(std::begin(PNG_SIGNATURE_BYTES), std::end(PNG_SIGNATURE_BYTES), bytes.begin()))
        return false;
    PngSession session(bytes);
    return session.decode(limits, image);
}
