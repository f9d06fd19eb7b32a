#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "schedule/file_system.h"
#include "schedule/profile.h"

namespace sorahemi::schedule {

// A file's bytes, read into a buffer that is not cleared first: a page reads the whole file,
// and clearing the buffer first would cost as much again.
class FileBytes {
 public:
  explicit FileBytes(std::size_t capacity);

  char* data() { return bytes_.get(); }
  std::size_t capacity() const { return capacity_; }
  void grow();  // doubles the capacity, keeping the bytes
  void set_size(std::size_t size) { size_ = size; }

  std::string_view view() const { return {bytes_.get(), size_}; }
  operator std::string_view() const { return view(); }

 private:
  std::unique_ptr<char[]> bytes_;
  std::size_t capacity_;
  std::size_t size_ = 0;
};

// The whole file; nothing when it cannot be read (missing, a folder, unreadable).
std::optional<FileBytes> read_file(const std::filesystem::path& path, FileSystem& system);

// The edit a change makes to the file's bytes (an empty text when the file is missing); nothing
// returned leaves the file as it is.
using FileChange = std::function<std::optional<profile::Edit>(std::string_view)>;

// Applies the change as one read-modify-write under an exclusive lock of the file's folder, so
// that two running copies never lose each other's writes, and replaces the file atomically: a
// crash at any moment leaves the old file or the new one. A symbolic link stays a link to its
// replaced target; the file's permissions are kept. Throws IniFileError on any failure (a file
// that is there but cannot be read included), leaving the file as it was and no temporary file
// behind.
void update_file(const std::filesystem::path& path, const FileChange& change, FileSystem& system);

}  // namespace sorahemi::schedule
