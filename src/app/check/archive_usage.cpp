#include "app/check/archive_usage.h"

#include "archive/name_match.h"
#include "framework/setup_picture.h"
#include "platform/files/regular_file.h"

ArchiveUsage::ArchiveUsage(ArchiveListing listing)
    : listing_(std::move(listing)), used_(listing_.entries.size(), false) {
    if (auto setupPicture = memberFor(setupPictureName)) used_[*setupPicture] = true;
}

std::optional<std::size_t> ArchiveUsage::memberFor(const std::string& name) const {
    for (std::size_t i = 0; i < listing_.entries.size(); ++i)
        if (namesMatch(listing_.entries[i].name, name)) return i;
    return std::nullopt;
}

std::optional<Problem> ArchiveUsage::read(const std::string& name, bool extracted) {
    const std::optional<std::size_t> member = memberFor(name);
    if (member) used_[*member] = true;
    if (extracted) return std::nullopt;
    if (!member) return Problem{ProblemKind::missingMember, name, "is not in data.rar", 0};
    return Problem{ProblemKind::damagedMember, name, "cannot be unpacked from data.rar", 0};
}

std::vector<Problem> ArchiveUsage::unusedMembers() const {
    std::vector<Problem> unused;
    for (std::size_t i = 0; i < used_.size(); ++i)
        if (!used_[i])
            unused.push_back({ProblemKind::unusedMember, listing_.entries[i].name,
                              "is in data.rar but nothing reads it", 0});
    return unused;
}

ArchiveListing listArchiveFile(const std::string& path) {
    FileError error = FileError::none;
    const auto bytes = readRegularFile(path, UINT64_MAX, &error);
    if (!bytes) return ArchiveListing{false, describeFileError(error), false, {}};
    return listArchive(*bytes);
}
