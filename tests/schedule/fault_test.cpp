// The schedule file under failing system calls: the file stays whole, and every failure reaches
// the user; a write never reports success it did not have.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "schedule/errors.h"
#include "schedule/file_system.h"
#include "schedule/outing.h"
#include "temp_folder.h"

namespace sorahemi::schedule {
namespace {

using testing::file_bytes;
using testing::put_file;

enum class Fault { none, fail_once, fail_from, short_writes, disk_full };

// The system's own calls, recorded, with a fault from the chosen call on.
class FaultyFileSystem final : public FileSystem {
 public:
  struct Call {
    std::string name;
    int fd;
  };

  FaultyFileSystem(Fault fault, std::size_t at) : fault_(fault), at_(at) {}

  const std::vector<Call>& calls() const { return calls_; }

  int open(const char* path, int flags) override {
    return checked("open", -1, [&] { return real().open(path, flags); });
  }
  int openat(int folder, const char* name, int flags, mode_t mode) override {
    return checked("openat", folder, [&] { return real().openat(folder, name, flags, mode); });
  }
  ssize_t read(int fd, void* buffer, std::size_t size) override {
    return checked("read", fd, [&] { return real().read(fd, buffer, size); });
  }
  ssize_t write(int fd, const void* buffer, std::size_t size) override {
    const bool faulty = record("write", fd);
    if (faulty && fault_ == Fault::short_writes)
      return real().write(fd, buffer, std::min<std::size_t>(size, 7));
    if (faulty && fault_ == Fault::disk_full) return fail(ENOSPC);
    if (faulty) return fail(EIO);
    return real().write(fd, buffer, size);
  }
  int fstat(int fd, struct stat* status) override {
    return checked("fstat", fd, [&] { return real().fstat(fd, status); });
  }
  int fstatat(int folder, const char* name, struct stat* status) override {
    return checked("fstatat", folder, [&] { return real().fstatat(folder, name, status); });
  }
  int fchmod(int fd, mode_t mode) override {
    return checked("fchmod", fd, [&] { return real().fchmod(fd, mode); });
  }
  int fchown(int fd, uid_t owner, gid_t group) override {
    return checked("fchown", fd, [&] { return real().fchown(fd, owner, group); });
  }
  int fsync(int fd) override {
    return checked("fsync", fd, [&] { return real().fsync(fd); });
  }
  int close(int fd) override {
    // The descriptor is released either way, as the system does.
    const int result = real().close(fd);
    return record("close", fd) && fault_ != Fault::short_writes && fault_ != Fault::disk_full
               ? fail(EIO)
               : result;
  }
  int flock(int fd, int operation) override {
    return checked("flock", fd, [&] { return real().flock(fd, operation); });
  }
  int renameat(int folder, const char* from, const char* to) override {
    return checked("renameat", folder, [&] { return real().renameat(folder, from, to); });
  }
  int unlinkat(int folder, const char* name) override {
    return checked("unlinkat", folder, [&] { return real().unlinkat(folder, name); });
  }

 private:
  static FileSystem& real() { return system_file_system(); }
  static int fail(int error) {
    errno = error;
    return -1;
  }

  // Records the call; true when the fault applies to it.
  bool record(const char* name, int fd) {
    calls_.push_back({name, fd});
    const std::size_t number = calls_.size();
    switch (fault_) {
      case Fault::none:
        return false;
      case Fault::fail_once:
        return number == at_;
      default:
        return number >= at_;
    }
  }

  template <class Real>
  auto checked(const char* name, int fd, Real call) -> decltype(call()) {
    const bool faulty =
        record(name, fd) && fault_ != Fault::short_writes && fault_ != Fault::disk_full;
    return faulty ? fail(EIO) : call();
  }

  Fault fault_;
  std::size_t at_;
  std::vector<Call> calls_;
};

constexpr reckoning::Date may3{std::chrono::year{2004}, std::chrono::May, std::chrono::day{3}};
const std::string original = "; kept\r\n[Schedule]\r\n20040101DE=x\r\n20040101DI=y\r\n";
const std::string with_destination =
    "; kept\r\n[Schedule]\r\n20040101DE=x\r\n20040101DI=y\r\n20040503DE=kyoto\r\n";
const std::string with_both = with_destination + "20040503DI=east\r\n";

class FaultTest : public ::testing::Test {
 protected:
  void SetUp() override { put_file(ini, original); }

  // Applies an outing with the fault; the file's state afterwards and whether it said so.
  struct Outcome {
    bool failed;
    std::string message;
    std::string bytes;
    std::set<std::string> names;
  };
  Outcome apply_with(Fault fault, std::size_t at) {
    std::filesystem::remove_all(folder.path());
    std::filesystem::create_directory(folder.path());
    put_file(ini, original);
    FaultyFileSystem system(fault, at);
    ScheduleFile file(ini, system);
    Outcome outcome{false, "", "", {}};
    try {
      apply_outing(file, may3, {"kyoto", "east"});
    } catch (const ScheduleError& error) {
      outcome = {true, error.what(), "", {}};
    }
    outcome.bytes = file_bytes(ini);
    outcome.names = folder.names();
    return outcome;
  }

  std::size_t calls_of_an_apply() {
    FaultyFileSystem system(Fault::none, 0);
    ScheduleFile file(ini, system);
    apply_outing(file, may3, {"kyoto", "east"});
    return system.calls().size();
  }

  testing::TempFolder folder;
  std::filesystem::path ini = folder / "sorahemi.ini";
};

TEST_F(FaultTest, EveryFailingCallLeavesAWholeFileAndIsReported) {
  const std::size_t calls = calls_of_an_apply();
  ASSERT_GT(calls, 10u);
  for (const Fault fault : {Fault::fail_once, Fault::fail_from, Fault::disk_full}) {
    for (std::size_t at = 1; at <= calls; ++at) {
      SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at call " +
                   std::to_string(at));
      const Outcome outcome = apply_with(fault, at);
      // Only a failing removal itself can leave the temporary file behind.
      if (fault != Fault::fail_from) {
        EXPECT_EQ(outcome.names, std::set<std::string>{"sorahemi.ini"}) << "a stray file";
      }
      if (!outcome.failed) {
        EXPECT_EQ(outcome.bytes, with_both) << "success it did not have";
        continue;
      }
      EXPECT_EQ(outcome.message, ini.string() + " に書き込めません");
      // Before the destination's rename, after it, or (a failed flush of the folder after the
      // last rename) the whole entry: never anything else.
      EXPECT_TRUE(outcome.bytes == original || outcome.bytes == with_destination ||
                  outcome.bytes == with_both)
          << outcome.bytes;
    }
  }
}

TEST_F(FaultTest, ShortWritesAreContinuedToTheLastByte) {
  for (std::size_t at = 1; at <= calls_of_an_apply(); ++at) {
    const Outcome outcome = apply_with(Fault::short_writes, at);
    EXPECT_FALSE(outcome.failed) << at;
    EXPECT_EQ(outcome.bytes, with_both) << at;
  }
}

TEST_F(FaultTest, FileThatCannotBeReadIsNeverWrittenOver) {
  // Failing the read of the file itself must not pass for a missing file.
  FaultyFileSystem probe(Fault::none, 0);
  ScheduleFile(ini, probe).write("Schedule", "k", "v");
  std::size_t read_call = 0;
  for (std::size_t i = 0; i < probe.calls().size(); ++i) {
    if (probe.calls()[i].name == "read" || probe.calls()[i].name == "fstat") {
      read_call = i + 1;
      break;
    }
  }
  ASSERT_GT(read_call, 0u);
  put_file(ini, original);
  FaultyFileSystem system(Fault::fail_once, read_call);
  EXPECT_THROW(ScheduleFile(ini, system).write("Schedule", "k", "v"), IniFileError);
  EXPECT_EQ(file_bytes(ini), original);
}

TEST_F(FaultTest, DataIsFlushedBeforeTheRenameAndTheFolderAfterIt) {
  FaultyFileSystem system(Fault::none, 0);
  ScheduleFile(ini, system).write("Schedule", "k", "v");
  const auto& calls = system.calls();
  auto position = [&](const std::string& name, int fd) {
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].name == name && (fd < 0 || calls[i].fd == fd)) return static_cast<int>(i);
    }
    return -1;
  };
  const int rename = position("renameat", -1);
  ASSERT_GE(rename, 0);
  const int folder_fd = calls[static_cast<std::size_t>(rename)].fd;
  int temporary_fd = -1;
  int last_write = -1;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].name == "write") {
      temporary_fd = calls[i].fd;
      last_write = static_cast<int>(i);
    }
  }
  ASSERT_GE(last_write, 0);
  const int data_flush = position("fsync", temporary_fd);
  int folder_flush = -1;
  for (std::size_t i = static_cast<std::size_t>(rename); i < calls.size(); ++i) {
    if (calls[i].name == "fsync" && calls[i].fd == folder_fd) folder_flush = static_cast<int>(i);
  }
  EXPECT_LT(last_write, data_flush);
  EXPECT_LT(data_flush, rename);
  EXPECT_GT(folder_flush, rename);
}

}  // namespace
}  // namespace sorahemi::schedule
