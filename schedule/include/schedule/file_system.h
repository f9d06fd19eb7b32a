#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace sorahemi::schedule {

// The system calls the schedule file is read and written with, behind one seam so that tests
// can fail any of them, write short, or fill the disk, and see the order they come in.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual int open(const char* path, int flags) = 0;
  virtual int openat(int folder, const char* name, int flags, mode_t mode) = 0;
  virtual ssize_t read(int fd, void* buffer, std::size_t size) = 0;
  virtual ssize_t write(int fd, const void* buffer, std::size_t size) = 0;
  virtual int fstat(int fd, struct stat* status) = 0;
  virtual int fstatat(int folder, const char* name, struct stat* status) = 0;
  virtual int fchmod(int fd, mode_t mode) = 0;
  virtual int fchown(int fd, uid_t owner, gid_t group) = 0;
  virtual int fsync(int fd) = 0;
  virtual int close(int fd) = 0;
  virtual int flock(int fd, int operation) = 0;
  virtual int renameat(int folder, const char* from, const char* to) = 0;
  virtual int unlinkat(int folder, const char* name) = 0;
};

// The operating system's own.
FileSystem& system_file_system();

}  // namespace sorahemi::schedule
