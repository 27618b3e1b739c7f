#include "app/demo_ini.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

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

std::optional<DemoIni> readDemoIni(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return parseDemoIni(bytes.data(), bytes.size());
}
