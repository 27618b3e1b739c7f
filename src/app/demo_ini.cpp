#include "app/demo_ini.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/files/regular_file.h"

namespace {

// fscanf on a memory stream gives exactly the scan rules of the file: a
// failed match stops at the first character that did not match.
int scanSwitch(FILE* stream, const char* pattern) {
    int value = 0;
    if (std::fscanf(stream, pattern, &value) != 1) return 0;
    return value;
}

}  // namespace

DemoIni parseDemoIni(const char* bytes, std::size_t size) {
    DemoIni ini;
    if (size == 0) return ini;
    std::vector<char> copy(bytes, bytes + size);
    FILE* stream = fmemopen(copy.data(), copy.size(), "r");
    if (!stream) return ini;
    ini.packed = scanSwitch(stream, "packed %d\n");
    ini.setup = scanSwitch(stream, "setup %d\n");
    ini.zb24bit = scanSwitch(stream, "zb24bit %d\n");
    std::fclose(stream);
    return ini;
}

// Only the start of the file is ever scanned. A demo.ini that is not a
// readable regular file (a folder, say) counts as absent.
std::optional<DemoIni> readDemoIni(const std::string& path) {
    constexpr std::uint64_t kScannedBytes = 64 * 1024;
    std::FILE* file = openRegularFile(path);
    if (file == nullptr) return std::nullopt;
    std::vector<char> bytes(kScannedBytes);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    return parseDemoIni(bytes.data(), bytes.size());
}
