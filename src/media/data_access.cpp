#include "media/data_access.h"

#include <cstdio>

#include "archive/archive_reader.h"

namespace DataAccess {

namespace {

constexpr char archivePath[] = "data.rar";
constexpr char archivePassword[] = "quillo";

}  // namespace

std::string dataPath(const std::string& name) {
    return "data/" + name;
}

bool extract(const std::string& name, std::uint8_t*& buffer, std::uint32_t& size) {
    buffer = nullptr;
    size = 0;
    if (ArchiveReader::extractFile(&buffer, &size, name.c_str(), archivePath, archivePassword))
        return true;
    std::printf("Failed to unpack %s\n", name.c_str());
    return false;
}

}  // namespace DataAccess
