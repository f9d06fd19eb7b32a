#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "schedule/durable_file.h"
#include "schedule/file_system.h"

namespace sorahemi::schedule {

// The accessor of the schedule file: it holds the file's full path and nothing else, so making
// one touches no file and every operation sees the file as it is at that moment. Texts are UTF-8;
// the file is code page 932. Every write is on disk when it returns, so letting the accessor go
// has nothing left to flush.
class ScheduleFile {
 public:
  explicit ScheduleFile(const std::filesystem::path& path,
                        FileSystem& system = system_file_system());

  const std::filesystem::path& path() const { return path_; }
  FileSystem& system() const { return *system_; }

  // The key's value, also when empty; the fallback when the file, section or key is missing.
  std::string read(std::string_view section, std::string_view key, std::string_view fallback) const;
  bool has_key(std::string_view section, std::string_view key) const;

  // Throws UnstorableText for a text the file cannot hold, IniFileError when the file cannot be
  // written; in both cases the file is as it was.
  void write(std::string_view section, std::string_view key, std::string_view value);
  // A key that is not there leaves the file untouched; a failure throws IniFileError.
  void remove(std::string_view section, std::string_view key);

 private:
  std::filesystem::path path_;
  FileSystem* system_;
};

// The file as one read found it, so that the keys of one page or one dialog load come from one
// moment of the file.
class ScheduleText {
 public:
  explicit ScheduleText(const ScheduleFile& file);

  // As ScheduleFile's, on the bytes read.
  std::string read(std::string_view section, std::string_view key, std::string_view fallback) const;
  bool has_key(std::string_view section, std::string_view key) const;

 private:
  std::optional<FileBytes> bytes_;
};

// One section of the file read once, for commands that compose many pages in one run.
class ScheduleSnapshot {
 public:
  ScheduleSnapshot(const ScheduleFile& file, std::string_view section);

  std::string read(std::string_view key, std::string_view fallback) const;

  // Every key by folded name (profile::fold_name), with its code page 932 value.
  const std::unordered_map<std::string, std::string>& values() const { return values_; }

 private:
  std::unordered_map<std::string, std::string> values_;
};

// The code page 932 bytes of a text the file can hold. Throws UnstorableText for a line break or
// NUL, which would put lines of their own into the file, a character outside code page 932, or
// more than a read returns.
std::string storable_bytes(std::string_view text);

// Where the program keeps its outings: its own path with the file name's extension replaced by
// ".ini" (the name without a dot gets ".ini" appended).
std::filesystem::path schedule_path_for(const std::filesystem::path& program);

// The running program's full path, as the system reports it.
std::filesystem::path running_program();

}  // namespace sorahemi::schedule
