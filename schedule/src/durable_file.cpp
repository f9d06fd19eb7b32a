#include "schedule/durable_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <utility>

#include "schedule/errors.h"

namespace sorahemi::schedule {
namespace {

namespace fs = std::filesystem;

// Closes the descriptor; closing the folder's descriptor also drops its lock.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
  Descriptor& operator=(Descriptor&&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

template <class Call>
auto retry_interrupted(Call call) {
  decltype(call()) result;
  do {
    result = call();
  } while (result == -1 && errno == EINTR);
  return result;
}

std::optional<std::string> read_descriptor(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() + 4096);  // the file grew meanwhile
    const ssize_t count =
        retry_interrupted([&] { return ::read(fd, bytes.data() + filled, bytes.size() - filled); });
    if (count < 0) return std::nullopt;
    if (count == 0) break;
    filled += static_cast<std::size_t>(count);
  }
  bytes.resize(filled);
  return bytes;
}

// The file a chain of symbolic links ends in, so that the link itself is never replaced.
fs::path link_target(fs::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) break;
    const fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

bool write_all(int fd, const std::string& bytes) {
  for (std::size_t written = 0; written < bytes.size();) {
    const ssize_t count = retry_interrupted(
        [&] { return ::write(fd, bytes.data() + written, bytes.size() - written); });
    if (count <= 0) return false;
    written += static_cast<std::size_t>(count);
  }
  return true;
}

std::string temporary_name(const fs::path& target) {
  thread_local std::mt19937_64 random{std::random_device{}()};
  char suffix[20];
  std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
  return "." + target.filename().string() + "." + suffix + ".tmp";
}

// A new file beside the target, with the target's permissions (new files get the umask's).
Descriptor create_temporary(int folder, const fs::path& target, std::string& name) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = temporary_name(target);
    Descriptor fd(retry_interrupted([&] {
      return ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    }));
    if (!fd.valid()) {
      if (errno == EEXIST) continue;
      break;
    }
    struct stat status {};
    if (::fstatat(folder, target.filename().c_str(), &status, 0) == 0) {
      if (::fchmod(fd.get(), status.st_mode & 07777) != 0) {
        ::unlinkat(folder, name.c_str(), 0);
        break;
      }
      // Only root may hand the file to its owner; for anyone else the owner is already right.
      if (::geteuid() == 0) (void)::fchown(fd.get(), status.st_uid, status.st_gid);
    }
    return fd;
  }
  return Descriptor(-1);
}

bool replace(int folder, const fs::path& target, const std::string& bytes) {
  std::string name;
  Descriptor fd = create_temporary(folder, target, name);
  if (!fd.valid()) return false;
  const bool written = write_all(fd.get(), bytes) && ::fsync(fd.get()) == 0 &&
                       ::close(fd.release()) == 0 &&
                       ::renameat(folder, name.c_str(), folder, target.filename().c_str()) == 0;
  if (!written) {
    ::unlinkat(folder, name.c_str(), 0);
    return false;
  }
  return ::fsync(folder) == 0;
}

}  // namespace

std::optional<std::string> read_file(const fs::path& path) {
  Descriptor fd(retry_interrupted([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }));
  if (!fd.valid()) return std::nullopt;
  return read_descriptor(fd.get());
}

void update_file(const fs::path& path, const FileChange& change) {
  const fs::path target = link_target(path);
  Descriptor folder(retry_interrupted(
      [&] { return ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
  if (!folder.valid() || retry_interrupted([&] { return ::flock(folder.get(), LOCK_EX); }) != 0) {
    throw IniFileError(path);
  }
  const std::optional<std::string> bytes = change(read_file(target));
  if (bytes && !replace(folder.get(), target, *bytes)) throw IniFileError(path);
}

}  // namespace sorahemi::schedule
