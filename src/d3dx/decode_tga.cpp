// Truevision TGA: colour-mapped, true-colour and grey images, uncompressed or
// run-length encoded, 8, 15, 16, 24 and 32 bits, any origin corner. The
// format has no signature, so the header is checked closely before anything
// is taken for a TGA file.
#include "d3dx/decoded_image.h"
#include "d3dx/image_reader.h"

namespace {

struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colourMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t mapFirst = 0;
    std::uint16_t mapLength = 0;
    std::uint8_t mapEntryBits = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t pixelBits = 0;
    std::uint8_t descriptor = 0;

    bool runLength() const { return imageType >= 9; }
    unsigned kind() const { return imageType & 7; }  // 1 mapped, 2 true colour, 3 grey
    unsigned alphaBits() const { return descriptor & 0x0f; }
    bool topDown() const { return (descriptor & 0x20) != 0; }
    bool rightToLeft() const { return (descriptor & 0x10) != 0; }
};

TgaHeader readHeader(ImageReader& reader) {
    TgaHeader header;
    header.idLength = reader.u8();
    header.colourMapType = reader.u8();
    header.imageType = reader.u8();
    header.mapFirst = reader.u16le();
    header.mapLength = reader.u16le();
    header.mapEntryBits = reader.u8();
    reader.skip(4);  // x and y origin
    header.width = reader.u16le();
    header.height = reader.u16le();
    header.pixelBits = reader.u8();
    header.descriptor = reader.u8();
    return header;
}

bool validColourBits(unsigned bits) {
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

bool validHeader(const TgaHeader& header, const ImageLimits& limits) {
    if (header.imageType != 1 && header.imageType != 2 && header.imageType != 3 &&
        header.imageType != 9 && header.imageType != 10 && header.imageType != 11)
        return false;
    if (header.colourMapType > 1 || (header.descriptor & 0xc0) != 0) return false;
    // A map may come with any type (true-colour images ignore it), but its
    // entries must be colours this decoder reads.
    if (header.colourMapType == 1 && !validColourBits(header.mapEntryBits)) return false;
    if (!limits.allow(header.width, header.height)) return false;
    switch (header.kind()) {
        case 1:
            return header.colourMapType == 1 && header.pixelBits == 8 && header.mapLength > 0;
        case 2:
            return validColourBits(header.pixelBits);
        default:
            return header.pixelBits == 8;
    }
}

// A 15/16/24/32-bit colour; alpha counts only when the header says the
// pixels carry alpha bits.
DWORD colourOf(std::span<const std::uint8_t> b, unsigned bits, bool withAlpha) {
    if (bits == 15 || bits == 16) {
        const unsigned value = b[0] | b[1] << 8;
        const auto widen = [](unsigned five) { return DWORD(five << 3 | five >> 2); };
        const DWORD alpha = withAlpha && bits == 16 ? (value & 0x8000 ? 0xffu : 0u) : 0xffu;
        return alpha << 24 | widen((value >> 10) & 31) << 16 | widen((value >> 5) & 31) << 8 |
               widen(value & 31);
    }
    const DWORD alpha = bits == 32 && withAlpha ? b[3] : 0xffu;
    return alpha << 24 | DWORD(b[2]) << 16 | DWORD(b[1]) << 8 | b[0];
}

// Pixels as the file stores them, turned into colours through the map or
// the grey ramp.
class TgaPixels {
  public:
    TgaPixels(const TgaHeader& header, std::vector<DWORD> map)
        : header_(header), map_(std::move(map)), bytes_((header.pixelBits + 7) / 8) {}

    std::size_t bytesPerPixel() const { return bytes_; }
    DWORD colour(std::span<const std::uint8_t> b) const {
        switch (header_.kind()) {
            case 1: {
                const unsigned index = b[0];
                const unsigned entry = index - header_.mapFirst;
                return index >= header_.mapFirst && entry < map_.size() ? map_[entry] : 0xff000000u;
            }
            case 2:
                return colourOf(b, header_.pixelBits, header_.alphaBits() > 0);
            default:
                return 0xff000000u | DWORD(b[0]) * 0x010101u;
        }
    }

  private:
    const TgaHeader& header_;
    std::vector<DWORD> map_;
    std::size_t bytes_;
};

bool readColourMap(ImageReader& reader, const TgaHeader& header, std::vector<DWORD>& map) {
    if (header.colourMapType == 0) return true;
    const std::size_t entryBytes = (header.mapEntryBits + 7) / 8;
    if (std::size_t(header.mapLength) * entryBytes > reader.remaining()) return false;
    map.reserve(header.mapLength);
    for (unsigned i = 0; i < header.mapLength; ++i)
        map.push_back(
            colourOf(reader.take(entryBytes), header.mapEntryBits, header.alphaBits() > 0));
    return true;
}

// Stores pixels in file order (first row first, each row from its start
// side) at their place in the top-down image.
class PixelSink {
  public:
    PixelSink(const TgaHeader& header, DecodedImage& image)
        : image_(image),
          rowStep_(header.topDown() ? std::ptrdiff_t(image.width) : -std::ptrdiff_t(image.width)),
          columnStep_(header.rightToLeft() ? -1 : 1),
          left_(image.pixels.size()) {
        startRow(header.topDown() ? 0 : image.height - 1);
        if (header.rightToLeft()) rowStart_ += image.width - 1;
        at_ = rowStart_;
    }
    bool full() const { return left_ == 0; }
    void put(DWORD colour) {
        image_.pixels[at_] = colour;
        --left_;
        if (++column_ < image_.width) {
            at_ = std::size_t(std::ptrdiff_t(at_) + columnStep_);
            return;
        }
        column_ = 0;
        rowStart_ = std::size_t(std::ptrdiff_t(rowStart_) + rowStep_);
        at_ = rowStart_;
    }

  private:
    void startRow(UINT row) { rowStart_ = std::size_t(row) * image_.width; }

    DecodedImage& image_;
    std::ptrdiff_t rowStep_, columnStep_;
    std::size_t left_;
    std::size_t rowStart_ = 0;
    std::size_t at_ = 0;
    UINT column_ = 0;
};

bool readUncompressed(ImageReader& reader, const TgaPixels& pixels, PixelSink& sink,
                      std::size_t count) {
    if (count * pixels.bytesPerPixel() > reader.remaining()) return false;
    while (!sink.full()) sink.put(pixels.colour(reader.take(pixels.bytesPerPixel())));
    return true;
}

// Packets may run across rows; a packet longer than what is left is cut.
bool readRunLength(ImageReader& reader, const TgaPixels& pixels, PixelSink& sink) {
    while (!sink.full()) {
        const std::uint8_t packet = reader.u8();
        const unsigned count = (packet & 0x7f) + 1u;
        if (packet & 0x80) {
            std::span<const std::uint8_t> value = reader.take(pixels.bytesPerPixel());
            if (value.empty()) return false;
            const DWORD colour = pixels.colour(value);
            for (unsigned i = 0; i < count && !sink.full(); ++i) sink.put(colour);
            continue;
        }
        for (unsigned i = 0; i < count && !sink.full(); ++i) {
            std::span<const std::uint8_t> value = reader.take(pixels.bytesPerPixel());
            if (value.empty()) return false;
            sink.put(pixels.colour(value));
        }
        if (reader.failed()) return false;
    }
    return !reader.failed();
}

// Whether the bytes left can describe every pixel: all of them stored, or
// runs of at most 128 pixels. Checked before the pixels are allocated, so a
// tiny file cannot claim a huge image.
bool enoughData(const TgaHeader& header, std::size_t remaining) {
    const std::uint64_t pixels = std::uint64_t(header.width) * header.height;
    const std::uint64_t bytes = (header.pixelBits + 7) / 8;
    if (!header.runLength()) return remaining >= pixels * bytes;
    return remaining >= (pixels + 127) / 128 * (1 + bytes);
}

D3DFORMAT sourceFormat(const TgaHeader& header) {
    if (header.kind() == 1) return D3DFMT_P8;
    if (header.kind() == 3) return D3DFMT_L8;
    switch (header.pixelBits) {
        case 15:
            return D3DFMT_X1R5G5B5;
        case 16:
            return header.alphaBits() ? D3DFMT_A1R5G5B5 : D3DFMT_X1R5G5B5;
        case 24:
            return D3DFMT_R8G8B8;
        default:
            return header.alphaBits() ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    }
}

}  // namespace

bool decodeTga(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image) {
    ImageReader reader(bytes);
    const TgaHeader header = readHeader(reader);
    if (reader.failed() || !validHeader(header, limits)) return false;
    std::vector<DWORD> map;
    if (!reader.skip(header.idLength) || !readColourMap(reader, header, map)) return false;
    if (!enoughData(header, reader.remaining())) return false;
    image.allocate(header.width, header.height);
    image.fileFormat = D3DXIFF_TGA;
    image.sourceFormat = sourceFormat(header);
    TgaPixels pixels(header, std::move(map));
    PixelSink sink(header, image);
    if (header.runLength()) return readRunLength(reader, pixels, sink);
    return readUncompressed(reader, pixels, sink, image.pixels.size());
}
