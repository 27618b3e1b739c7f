// Which members of a production's archive are read: the files packed mode
// asks for that the archive lacks or cannot give, and at the end the
// members nothing read.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/problem_sink.h"
#include "archive/archive_listing.h"

class ArchiveUsage {
  public:
    explicit ArchiveUsage(ArchiveListing listing);

    // A file asked of the archive; the problem it shows, if any.
    std::optional<Problem> read(const std::string& name, bool extracted);
    // Members no read matched, in archive order. The setup picture counts
    // as read: the player shows it when demo.ini asks for the dialog.
    std::vector<Problem> unusedMembers() const;

  private:
    // Index of the first member the name matches, as the reader looks up.
    std::optional<std::size_t> memberFor(const std::string& name) const;

    ArchiveListing listing_;
    std::vector<bool> used_;
};

// Lists the archive at path; a listing that is not ok says why.
ArchiveListing listArchiveFile(const std::string& path);
