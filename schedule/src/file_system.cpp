#include "schedule/file_system.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace sorahemi::schedule {
namespace {

template <class Call>
auto retry_interrupted(Call call) {
  decltype(call()) result;
  do {
    result = call();
  } while (result == -1 && errno == EINTR);
  return result;
}

class SystemFileSystem final : public FileSystem {
 public:
  int open(const char* path, int flags) override {
    return retry_interrupted([&] { return ::open(path, flags | O_CLOEXEC); });
  }
  int openat(int folder, const char* name, int flags, mode_t mode) override {
    return retry_interrupted([&] { return ::openat(folder, name, flags | O_CLOEXEC, mode); });
  }
  ssize_t read(int fd, void* buffer, std::size_t size) override {
    return retry_interrupted([&] { return ::read(fd, buffer, size); });
  }
  ssize_t write(int fd, const void* buffer, std::size_t size) override {
    return retry_interrupted([&] { return ::write(fd, buffer, size); });
  }
  int fstat(int fd, struct stat* status) override { return ::fstat(fd, status); }
  int fstatat(int folder, const char* name, struct stat* status) override {
    return ::fstatat(folder, name, status, 0);
  }
  int fchmod(int fd, mode_t mode) override { return ::fchmod(fd, mode); }
  int fchown(int fd, uid_t owner, gid_t group) override { return ::fchown(fd, owner, group); }
  int fsync(int fd) override {
    return retry_interrupted([&] { return ::fsync(fd); });
  }
  int close(int fd) override { return ::close(fd); }
  int flock(int fd, int operation) override {
    return retry_interrupted([&] { return ::flock(fd, operation); });
  }
  int renameat(int folder, const char* from, const char* to) override {
    return ::renameat(folder, from, folder, to);
  }
  int unlinkat(int folder, const char* name) override { return ::unlinkat(folder, name, 0); }
};

}  // namespace

FileSystem& system_file_system() {
  static SystemFileSystem instance;
  return instance;
}

}  // namespace sorahemi::schedule
