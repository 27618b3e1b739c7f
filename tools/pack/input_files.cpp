#include "input_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <set>

#include "platform/files/regular_file.h"

namespace fs = std::filesystem;

namespace {

uint32_t dosTime(const fs::path& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return 0;
    std::tm local{};
    localtime_r(&info.st_mtime, &local);
    if (local.tm_year < 80) return 0;
    return static_cast<uint32_t>((local.tm_year - 80) << 25 | (local.tm_mon + 1) << 21 |
                                 local.tm_mday << 16 | local.tm_hour << 11 | local.tm_min << 5 |
                                 local.tm_sec / 2);
}

bool readFile(const fs::path& path, std::vector<uint8_t>& bytes) {
    auto read = readRegularFile(path.string());
    if (read) bytes = std::move(*read);
    return read.has_value();
}

bool samePath(const fs::path& a, const std::string& b) {
    std::error_code ignored;
    return !b.empty() && fs::equivalent(a, b, ignored);
}

struct Found {
    fs::path path;
    std::string name;
};

bool listDirectory(const fs::path& root, std::vector<Found>& found, std::string& error) {
    std::error_code code;
    std::vector<Found> here;
    for (fs::recursive_directory_iterator it(root, code), end; !code && it != end;
         it.increment(code)) {
        if (it->is_regular_file(code)) {
            here.push_back({it->path(), it->path().lexically_relative(root).generic_string()});
        }
    }
    if (code) {
        error = "cannot read directory " + root.string() + ": " + code.message();
        return false;
    }
    std::sort(here.begin(), here.end(),
              [](const Found& a, const Found& b) { return a.name < b.name; });
    found.insert(found.end(), here.begin(), here.end());
    return true;
}

bool listPath(const std::string& path, std::vector<Found>& found, std::string& error) {
    std::error_code code;
    fs::file_status status = fs::status(path, code);
    if (fs::is_directory(status)) return listDirectory(path, found, error);
    if (fs::is_regular_file(status)) {
        found.push_back({path, fs::path(path).filename().string()});
        return true;
    }
    error = fs::exists(status) ? path + ": not a file or directory" : path + ": no such file";
    return false;
}

}  // namespace

bool collectInputs(const std::vector<std::string>& paths, const std::string& skipPath,
                   std::vector<PackEntry>& entries, std::string& error) {
    std::vector<Found> found;
    for (const std::string& path : paths) {
        if (!listPath(path, found, error)) return false;
    }
    std::set<std::string> names;
    for (const Found& f : found) {
        if (samePath(f.path, skipPath)) continue;
        if (!names.insert(f.name).second) {
            error = "two files would both be named " + f.name;
            return false;
        }
        PackEntry entry{f.name, {}, dosTime(f.path)};
        if (!readFile(f.path, entry.data)) {
            error = "cannot read " + f.path.string();
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}
