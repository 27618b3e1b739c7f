// Windows and OS/2 bitmaps: 1, 4 and 8 bits with a palette (uncompressed or
// RLE), 16 and 32 bits (default layouts or bit fields), 24 bits; rows
// bottom-up or top-down. Pixels an RLE stream leaves out stay opaque black.
#include <bit>

#include "d3dx/decoded_image.h"
#include "d3dx/image_reader.h"

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;

// One channel of a bit-field pixel: where it lies and how to widen it to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        maximum = mask >> shift;
    }
    // A mask with gaps reads as its lowest run of bits.
    std::uint32_t read(std::uint32_t value, std::uint32_t absent) const {
        if (maximum == 0) return absent;
        const std::uint32_t bits = (value & mask) >> shift;
        return std::uint32_t((std::uint64_t(bits) * 255 + maximum / 2) / maximum) & 0xff;
    }
};

struct BmpHeader {
    std::uint32_t dataOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows top-down
    unsigned bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t coloursUsed = 0;
    Channel red, green, blue, alpha;
    bool coreHeader = false;  // OS/2: 3-byte palette entries
};

bool readInfoHeader(ImageReader& reader, BmpHeader& header) {
    header.headerSize = reader.u32le();
    if (header.headerSize == 12) {
        header.coreHeader = true;
        header.width = reader.u16le();
        header.height = reader.u16le();
        reader.u16le();
        header.bitCount = reader.u16le();
        return !reader.failed();
    }
    if (header.headerSize < 40) return false;
    header.width = reader.s32le();
    header.height = reader.s32le();
    reader.u16le();  // planes
    header.bitCount = reader.u16le();
    header.compression = reader.u32le();
    reader.skip(12);  // image size, resolution
    header.coloursUsed = reader.u32le();
    reader.u32le();  // colours important
    return !reader.failed();
}

bool hasFields(const BmpHeader& header) {
    return header.compression == BI_BITFIELDS || header.compression == BI_ALPHABITFIELDS;
}

// Bit fields follow a 40-byte header, or lie inside a longer one. Without
// them the default layouts hold, with no alpha (as Windows reads them).
bool readMasks(ImageReader& reader, BmpHeader& header) {
    if (!hasFields(header)) {
        const bool sixteen = header.bitCount == 16;
        header.red = Channel(sixteen ? 0x7c00 : 0xff0000);
        header.green = Channel(sixteen ? 0x03e0 : 0xff00);
        header.blue = Channel(sixteen ? 0x001f : 0xff);
        return true;
    }
    header.red = Channel(reader.u32le());
    header.green = Channel(reader.u32le());
    header.blue = Channel(reader.u32le());
    if (header.headerSize >= 56 || header.compression == BI_ALPHABITFIELDS)
        header.alpha = Channel(reader.u32le());
    return !reader.failed();
}

// Where the palette starts: after the header and any bit fields that follow it.
std::size_t paletteStart(const BmpHeader& header) {
    std::size_t start = 14 + std::size_t(header.headerSize);
    if (header.headerSize == 40 && header.compression == BI_BITFIELDS) start += 12;
    if (header.headerSize == 40 && header.compression == BI_ALPHABITFIELDS) start += 16;
    return start;
}

D3DFORMAT sourceFormat(const BmpHeader& header) {
    switch (header.bitCount) {
        case 16:
            return header.green.maximum == 63 ? D3DFMT_R5G6B5 : D3DFMT_X1R5G5B5;
        case 24:
            return D3DFMT_R8G8B8;
        case 32:
            return header.alpha.mask ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
        default:
            return D3DFMT_P8;
    }
}

bool validHeader(const BmpHeader& header, const ImageLimits& limits) {
    const std::int64_t height = header.height < 0 ? -header.height : header.height;
    if (header.width <= 0 || !limits.allow(std::uint64_t(header.width), std::uint64_t(height)))
        return false;
    switch (header.compression) {
        case BI_RGB:
            return header.bitCount == 1 || header.bitCount == 4 || header.bitCount == 8 ||
                   header.bitCount == 16 || header.bitCount == 24 || header.bitCount == 32;
        case BI_RLE8:
            return header.bitCount == 8 && header.height > 0;
        case BI_RLE4:
            return header.bitCount == 4 && header.height > 0;
        case BI_BITFIELDS:
        case BI_ALPHABITFIELDS:
            return header.bitCount == 16 || header.bitCount == 32;
        default:
            return false;
    }
}

std::vector<DWORD> readPalette(ImageReader& reader, const BmpHeader& header) {
    if (header.bitCount > 8) return {};
    const std::uint32_t full = 1u << header.bitCount;
    const std::uint32_t count =
        header.coloursUsed == 0 || header.coloursUsed > full ? full : header.coloursUsed;
    std::vector<DWORD> palette(full, 0xff000000u);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::span<const std::uint8_t> entry = reader.take(header.coreHeader ? 3 : 4);
        if (entry.empty()) break;  // a short palette leaves black entries
        palette[i] = 0xff000000u | DWORD(entry[2]) << 16 | DWORD(entry[1]) << 8 | entry[0];
    }
    return palette;
}

DWORD fieldPixel(const BmpHeader& header, std::uint32_t value) {
    return header.alpha.read(value, 0xff) << 24 | header.red.read(value, 0) << 16 |
           header.green.read(value, 0) << 8 | header.blue.read(value, 0);
}

DWORD pixelAt(const BmpHeader& header, const std::vector<DWORD>& palette,
              std::span<const std::uint8_t> row, UINT x) {
    switch (header.bitCount) {
        case 1:
            return palette[(row[x / 8] >> (7 - x % 8)) & 1];
        case 4:
            return palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xf];
        case 8:
            return palette[row[x]];
        case 16:
            return fieldPixel(header, row[2 * x] | row[2 * x + 1] << 8);
        case 24:
            return 0xff000000u | DWORD(row[3 * x + 2]) << 16 | DWORD(row[3 * x + 1]) << 8 |
                   row[3 * x];
        default:
            return fieldPixel(header, std::uint32_t(row[4 * x]) |
                                          std::uint32_t(row[4 * x + 1]) << 8 |
                                          std::uint32_t(row[4 * x + 2]) << 16 |
                                          std::uint32_t(row[4 * x + 3]) << 24);
    }
}

UINT targetRow(const BmpHeader& header, UINT fileRow, UINT height) {
    return header.height < 0 ? fileRow : height - 1 - fileRow;
}

std::uint64_t rowBytes(const BmpHeader& header) {
    return (std::uint64_t(header.width) * header.bitCount + 31) / 32 * 4;
}

std::uint64_t rowCount(const BmpHeader& header) {
    return std::uint64_t(header.height < 0 ? -header.height : header.height);
}

// Rows are padded to whole 32-bit words; all of them must be there (checked
// before the pixels are allocated).
bool readUncompressed(ImageReader& reader, const BmpHeader& header,
                      const std::vector<DWORD>& palette, DecodedImage& image) {
    const std::uint64_t stride = rowBytes(header);
    for (UINT fileRow = 0; fileRow < image.height; ++fileRow) {
        std::span<const std::uint8_t> row = reader.take(std::size_t(stride));
        DWORD* out = image.pixels.data() +
                     std::size_t(targetRow(header, fileRow, image.height)) * image.width;
        for (UINT x = 0; x < image.width; ++x) out[x] = pixelAt(header, palette, row, x);
    }
    return true;
}

// The RLE streams of 8- and 4-bit bitmaps: runs, absolute blocks, line and
// bitmap ends and position jumps. Writes outside the image are dropped.
class RleDecoder {
  public:
    RleDecoder(ImageReader& reader, const BmpHeader& header, const std::vector<DWORD>& palette,
               DecodedImage& image)
        : reader_(reader), header_(header), palette_(palette), image_(image) {}

    bool decode();

  private:
    void put(unsigned index) {
        if (x_ < image_.width && y_ < image_.height)
            image_.pixels[std::size_t(targetRow(header_, y_, image_.height)) * image_.width + x_] =
                palette_[index & (palette_.size() - 1)];
        ++x_;
    }
    void run(unsigned count, std::uint8_t value);
    bool absolute(unsigned count);
    bool escape(std::uint8_t code);

    ImageReader& reader_;
    const BmpHeader& header_;
    const std::vector<DWORD>& palette_;
    DecodedImage& image_;
    UINT x_ = 0;
    UINT y_ = 0;
    bool ended_ = false;
};

void RleDecoder::run(unsigned count, std::uint8_t value) {
    for (unsigned i = 0; i < count; ++i)
        put(header_.bitCount == 8 ? value : (i % 2 ? value & 0xf : value >> 4));
}

bool RleDecoder::absolute(unsigned count) {
    const std::size_t bytes = header_.bitCount == 8 ? count : (count + 1) / 2;
    std::span<const std::uint8_t> data = reader_.take(bytes);
    if (data.size() != bytes) return false;
    for (unsigned i = 0; i < count; ++i)
        put(header_.bitCount == 8 ? data[i] : (i % 2 ? data[i / 2] & 0xf : data[i / 2] >> 4));
    if (bytes % 2) reader_.u8();  // blocks end on a 16-bit boundary
    return true;
}

bool RleDecoder::escape(std::uint8_t code) {
    switch (code) {
        case 0:  // end of line
            x_ = 0;
            ++y_;
            return true;
        case 1:  // end of bitmap
            ended_ = true;
            return true;
        case 2: {  // jump right and down
            const std::uint8_t dx = reader_.u8();
            const std::uint8_t dy = reader_.u8();
            x_ += dx;
            y_ += dy;
            return !reader_.failed();
        }
        default:
            return absolute(code);
    }
}

// A stream that stops without its end marker keeps what it drew.
bool RleDecoder::decode() {
    while (!ended_ && y_ < image_.height && reader_.remaining() >= 2) {
        const std::uint8_t count = reader_.u8();
        const std::uint8_t value = reader_.u8();
        if (count > 0)
            run(count, value);
        else if (!escape(value))
            return false;
    }
    return true;
}

bool decodeBmpBody(ImageReader& reader, const ImageLimits& limits, DecodedImage& image) {
    BmpHeader header;
    reader.skip(10);
    header.dataOffset = reader.u32le();
    if (!readInfoHeader(reader, header) || !validHeader(header, limits)) return false;
    if (!readMasks(reader, header)) return false;
    if (!reader.seek(paletteStart(header))) return false;
    const std::vector<DWORD> palette = readPalette(reader, header);
    if (!reader.seek(header.dataOffset)) return false;
    const bool runLength = header.compression == BI_RLE8 || header.compression == BI_RLE4;
    if (!runLength && rowBytes(header) * rowCount(header) > reader.remaining()) return false;
    image.allocate(UINT(header.width), UINT(header.height < 0 ? -header.height : header.height));
    image.fileFormat = D3DXIFF_BMP;
    image.sourceFormat = sourceFormat(header);
    if (runLength) return RleDecoder(reader, header, palette, image).decode();
    return readUncompressed(reader, header, palette, image);
}

}  // namespace

bool decodeBmp(ImageBytes bytes, const ImageLimits& limits, DecodedImage& image) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    ImageReader reader(bytes);
    return decodeBmpBody(reader, limits, image);
}
