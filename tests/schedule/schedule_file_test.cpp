#include "schedule/schedule_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "schedule/errors.h"
#include "schedule/outing.h"
#include "temp_folder.h"

namespace sorahemi::schedule {
namespace {

using testing::file_bytes;
using testing::put_file;
using testing::TempFolder;

class ScheduleFileTest : public ::testing::Test {
 protected:
  TempFolder folder;
  std::filesystem::path ini = folder / "sorahemi.ini";
  ScheduleFile file{ini};
};

TEST_F(ScheduleFileTest, MissingFileGivesDefaultsAndIsNotCreated) {
  EXPECT_EQ(file.read("Schedule", "20040503DE", "なし"), "なし");
  EXPECT_FALSE(file.has_key("Schedule", "20040503DE"));
  file.remove("Schedule", "20040503DE");
  EXPECT_TRUE(folder.names().empty());
}

TEST_F(ScheduleFileTest, NewFileHoldsExactlyTheWrittenEntriesInCodePage932) {
  file.write("Schedule", "20040503DE", "京都");
  file.write("Schedule", "20040503DI", "卯（東）");
  file.write("Schedule", "20040505DE", "実家");
  file.write("Schedule", "20040505DI", "子（北）");
  EXPECT_EQ(file_bytes(ini),
            "[Schedule]\r\n"
            "20040503DE=\x8b\x9e\x93\x73\r\n"
            "20040503DI=\x89\x4b\x81\x69\x93\x8c\x81\x6a\r\n"
            "20040505DE=\x8e\xc0\x89\xc6\r\n"
            "20040505DI=\x8e\x71\x81\x69\x96\x6b\x81\x6a\r\n");
  EXPECT_EQ(file.read("Schedule", "20040503DE", "なし"), "京都");
  EXPECT_EQ(folder.names(), std::set<std::string>{"sorahemi.ini"});
}

TEST_F(ScheduleFileTest, InvalidBytesInTheFileReadAsReplacementCharacters) {
  put_file(ini, "[Schedule]\r\nk=\x8b\x9e\xff\r\n");
  EXPECT_EQ(file.read("Schedule", "k", ""), "京\uFFFD");
}

TEST_F(ScheduleFileTest, TextTheFileCannotHoldIsRefusedAndNothingIsWritten) {
  put_file(ini, "[Schedule]\r\nk=old\r\n");
  using namespace std::literals;
  for (const std::string_view text : {"a\rb"sv, "a\nb"sv, "a\0b"sv, "😀"sv}) {
    EXPECT_THROW(file.write("Schedule", "k", text), UnstorableText);
    EXPECT_THROW(file.write("Schedule", text, "v"), UnstorableText);
  }
  EXPECT_EQ(file_bytes(ini), "[Schedule]\r\nk=old\r\n");
}

TEST_F(ScheduleFileTest, WriteThatCannotHappenSaysSoAndLeavesNoFile) {
  put_file(folder / "plain", "");
  for (const auto& where :
       {folder / "missing" / "sorahemi.ini", folder / "plain" / "sorahemi.ini"}) {
    ScheduleFile unwritable(where);
    try {
      unwritable.write("Schedule", "k", "v");
      ADD_FAILURE() << "wrote " << where;
    } catch (const IniFileError& error) {
      EXPECT_EQ(std::string(error.what()), where.string() + " に書き込めません");
    }
  }
  EXPECT_EQ(folder.names(), std::set<std::string>{"plain"});
}

TEST_F(ScheduleFileTest, ReplacementKeepsPermissionsAndSymbolicLinks) {
  const auto target = folder / "real.ini";
  put_file(target, "[Schedule]\r\n");
  ::chmod(target.c_str(), 0640);
  std::filesystem::create_symlink("real.ini", ini);
  file.write("Schedule", "k", "v");
  EXPECT_TRUE(std::filesystem::is_symlink(ini));
  EXPECT_EQ(file_bytes(target), "[Schedule]\r\nk=v\r\n");
  struct stat status {};
  ::stat(target.c_str(), &status);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(folder.names(), (std::set<std::string>{"real.ini", "sorahemi.ini"}));
}

// The key test sees the whole section, not the first 16 KiB of its key names.
TEST_F(ScheduleFileTest, KeyTestFindsAnEntryFarDownALargeFile) {
  std::string text = "[Schedule]\r\n";
  for (int i = 0; i < 3000; ++i) text += "key" + std::to_string(i) + "DE=x\r\n";
  put_file(ini, text);
  EXPECT_TRUE(file.has_key("Schedule", "key2999DE"));
  file.remove("Schedule", "key2999DE");
  EXPECT_FALSE(file.has_key("Schedule", "key2999DE"));
  EXPECT_TRUE(file.has_key("Schedule", "key2998DE"));
}

TEST_F(ScheduleFileTest, SnapshotReadsWhatTheAccessorReads) {
  put_file(ini, "[Schedule]\r\nA=1\r\nb=\r\na=2\r\n[schedule]\r\nc=3\r\n");
  const ScheduleSnapshot snapshot(file, "Schedule");
  for (const char* key : {"a", "A", "b", "c", "missing"}) {
    EXPECT_EQ(snapshot.read(key, "-"), file.read("Schedule", key, "-")) << key;
  }
}

TEST(SchedulePath, ExtensionOfTheFileNameIsReplaced) {
  const struct {
    const char* program;
    const char* schedule;
  } rows[] = {
      {"/opt/sorahemi/sorahemi", "/opt/sorahemi/sorahemi.ini"},
      {"/home/u/my.apps/sorahemi", "/home/u/my.apps/sorahemi.ini"},
      {"/tools/sorahemi.exe", "/tools/sorahemi.ini"},
      {"/tools/sorahemi.tar.gz", "/tools/sorahemi.tar.ini"},
  };
  for (const auto& row : rows) EXPECT_EQ(schedule_path_for(row.program), row.schedule);
}

}  // namespace
}  // namespace sorahemi::schedule
