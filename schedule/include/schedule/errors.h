#pragma once

#include <filesystem>
#include <stdexcept>

namespace sorahemi::schedule {

// Every failure of the schedule file; the message is the one the user is shown.
class ScheduleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file could not be written: "<full path> に書き込めません".
class IniFileError : public ScheduleError {
 public:
  explicit IniFileError(const std::filesystem::path& path);
};

// A text the file cannot hold: a line break or NUL, or a character outside code page 932.
class UnstorableText : public ScheduleError {
 public:
  using ScheduleError::ScheduleError;
};

}  // namespace sorahemi::schedule
