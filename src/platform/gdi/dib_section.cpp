#include "platform/gdi/dib_section.h"

#include <cstdint>
#include <cstdlib>

#include "platform/gdi/bitmap_record.h"
#include "platform/gdi/handle_table.h"

namespace {

constexpr std::int64_t largestPixelCount = std::int64_t(1) << 28;  // 1 GiB of pixels

bool isProvidedFormat(const BITMAPINFOHEADER& header) {
    std::int64_t rows = std::llabs(std::int64_t(header.biHeight));
    return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biWidth > 0 && rows > 0 &&
           header.biPlanes == 1 && header.biBitCount == 32 && header.biCompression == BI_RGB &&
           std::int64_t(header.biWidth) * rows <= largestPixelCount;
}

}  // namespace

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section || !isProvidedFormat(info->bmiHeader)) {
        return nullptr;
    }
    const BITMAPINFOHEADER& header = info->bmiHeader;
    bool topDown = header.biHeight < 0;
    int height = int(std::llabs(std::int64_t(header.biHeight)));
    auto record = std::make_unique<gdi::BitmapRecord>(header.biWidth, height, topDown);
    record->pixels.assign(size_t(header.biWidth) * size_t(height), 0);
    if (bits) *bits = record->pixels.data();
    return gdi::addRecord<HBITMAP>(std::move(record));
}
