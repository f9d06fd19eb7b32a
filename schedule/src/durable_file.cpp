#include "schedule/durable_file.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>

#include "schedule/errors.h"

namespace sorahemi::schedule {
namespace {

namespace fs = std::filesystem;

// Closes the descriptor; closing the folder's descriptor also drops its lock.
class Descriptor {
 public:
  Descriptor(FileSystem& system, int fd) : system_(system), fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept
      : system_(other.system_), fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) system_.close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now, reporting whether everything written reached the file.
  bool close() { return system_.close(std::exchange(fd_, -1)) == 0; }

 private:
  FileSystem& system_;
  int fd_;
};

// A file that is there but cannot be read: writing over it would lose what it holds.
struct Unreadable {};

std::optional<FileBytes> read_descriptor(FileSystem& system, int fd) {
  struct stat status {};
  if (system.fstat(fd, &status) != 0) throw Unreadable{};
  if (!S_ISREG(status.st_mode)) return std::nullopt;
  // One byte of room beyond the size, so that the end shows without growing the buffer.
  FileBytes bytes(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.capacity()) bytes.grow();  // the file grew meanwhile
    const ssize_t count = system.read(fd, bytes.data() + filled, bytes.capacity() - filled);
    if (count < 0) throw Unreadable{};
    if (count == 0) break;
    filled += static_cast<std::size_t>(count);
  }
  bytes.set_size(filled);
  return bytes;
}

// The file's bytes; nothing when it is missing or no regular file; Unreadable otherwise.
std::optional<FileBytes> read_existing(const fs::path& path, FileSystem& system) {
  Descriptor fd(system, system.open(path.c_str(), O_RDONLY));
  if (!fd.valid()) {
    if (errno == ENOENT) return std::nullopt;
    throw Unreadable{};
  }
  return read_descriptor(system, fd.get());
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

// Every byte or a failure: a write that takes fewer bytes is continued, one that takes none
// (a full disk) is a failure.
bool write_all(FileSystem& system, int fd, std::string_view bytes) {
  for (std::size_t written = 0; written < bytes.size();) {
    const ssize_t count = system.write(fd, bytes.data() + written, bytes.size() - written);
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

class Replacement {
 public:
  Replacement(FileSystem& system, int folder, const fs::path& target)
      : system_(system), folder_(folder), target_(target.filename().string()) {}

  // Writes the edited text to a new file beside the target, flushes it, and renames it over the
  // target; then flushes the folder, so that the rename itself is on disk.
  bool replace(std::string_view text, const profile::Edit& edit) {
    Descriptor fd = create();
    const bool done = fd.valid() && write_all(system_, fd.get(), text.substr(0, edit.begin)) &&
                      write_all(system_, fd.get(), edit.replacement) &&
                      write_all(system_, fd.get(), text.substr(edit.end)) &&
                      system_.fsync(fd.get()) == 0 && fd.close() &&
                      system_.renameat(folder_, name_.c_str(), target_.c_str()) == 0;
    if (!done) {
      if (!name_.empty()) system_.unlinkat(folder_, name_.c_str());
      return false;
    }
    return system_.fsync(folder_) == 0;
  }

 private:
  // A new file with the target's permissions (new files get the umask's).
  Descriptor create() {
    for (int attempt = 0; attempt < 16; ++attempt) {
      const std::string name = temporary_name(target_);
      Descriptor fd(system_,
                    system_.openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
      if (!fd.valid()) {
        if (errno == EEXIST) continue;
        break;
      }
      name_ = name;
      if (!keep_permissions(fd.get())) break;
      return fd;
    }
    return Descriptor(system_, -1);
  }

  bool keep_permissions(int fd) {
    struct stat status {};
    if (system_.fstatat(folder_, target_.c_str(), &status) != 0) return errno == ENOENT;
    // Only root may hand the file to its owner; for anyone else the owner is already right.
    if (::geteuid() == 0) (void)system_.fchown(fd, status.st_uid, status.st_gid);
    return system_.fchmod(fd, status.st_mode & 07777) == 0;
  }

  FileSystem& system_;
  int folder_;
  std::string target_;
  std::string name_;
};

}  // namespace

FileBytes::FileBytes(std::size_t capacity)
    : bytes_(std::make_unique_for_overwrite<char[]>(capacity)), capacity_(capacity) {}

void FileBytes::grow() {
  auto larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
  std::memcpy(larger.get(), bytes_.get(), capacity_);
  bytes_ = std::move(larger);
  capacity_ *= 2;
}

std::optional<FileBytes> read_file(const fs::path& path, FileSystem& system) {
  try {
    return read_existing(path, system);
  } catch (const Unreadable&) {
    return std::nullopt;
  }
}

void update_file(const fs::path& path, const FileChange& change, FileSystem& system) {
  const fs::path target = link_target(path);
  Descriptor folder(system, system.open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY));
  if (!folder.valid() || system.flock(folder.get(), LOCK_EX) != 0) throw IniFileError(path);
  std::optional<FileBytes> current;
  try {
    current = read_existing(target, system);
  } catch (const Unreadable&) {
    throw IniFileError(path);
  }
  const std::string_view text = current ? current->view() : std::string_view();
  const std::optional<profile::Edit> edit = change(text);
  if (edit && !Replacement(system, folder.get(), target).replace(text, *edit)) {
    throw IniFileError(path);
  }
}

}  // namespace sorahemi::schedule
