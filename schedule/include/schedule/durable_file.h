#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "schedule/file_system.h"

namespace sorahemi::schedule {

// The whole file; nothing when it cannot be read (missing, a folder, unreadable).
std::optional<std::string> read_file(const std::filesystem::path& path, FileSystem& system);

// What a change makes of the file's bytes (nothing when the file is missing); nothing returned
// leaves the file as it is.
using FileChange = std::function<std::optional<std::string>(const std::optional<std::string>&)>;

// Applies the change as one read-modify-write under an exclusive lock of the file's folder, so
// that two running copies never lose each other's writes, and replaces the file atomically: a
// crash at any moment leaves the old file or the new one. A symbolic link stays a link to its
// replaced target; the file's permissions are kept. Throws IniFileError on any failure (a file
// that is there but cannot be read included), leaving the file as it was and no temporary file
// behind.
void update_file(const std::filesystem::path& path, const FileChange& change, FileSystem& system);

}  // namespace sorahemi::schedule
