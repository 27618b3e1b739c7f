#include "app/script_file_status.h"

#include <sys/stat.h>

#include <string>

#include "media/data_access.h"

std::int64_t scriptModificationTime() {
    std::string path = DataAccess::resolvePath("script.lua");
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return scriptMissing;
    return std::int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}
