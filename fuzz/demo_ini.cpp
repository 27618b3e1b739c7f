// Fuzzes the demo.ini scanner with arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "app/demo_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    parseDemoIni(reinterpret_cast<const char*>(data), size);
    return 0;
}
