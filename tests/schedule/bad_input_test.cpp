// Hostile and damaged input, a row each: it is shown as text, refused with a clear message, or
// stored and read back equal; never a crash, a hang, or a changed unrelated line.
#include <gtest/gtest.h>

#include "schedule/cp932.h"
#include "schedule/errors.h"
#include "schedule/schedule_file.h"
#include "temp_folder.h"

namespace sorahemi::schedule {
namespace {

using namespace std::literals;
using testing::file_bytes;
using testing::put_file;

struct FileRow {
  const char* name;
  std::string file;
  std::string key;  // UTF-8
  std::string shown;
};

std::string many_sections() {
  std::string text;
  for (int i = 0; i < 100'000; ++i) text += "[S" + std::to_string(i) + "]\r\nk=v\r\n";
  return text + "[Schedule]\r\n20040503DE=kyoto\r\n";
}

const FileRow file_rows[] = {
    {"invalid_bytes", "[Schedule]\r\n20040503DE=\x85\x40\xff\x80\r\n", "20040503DE",
     "\uFFFD\uFFFD\uFFFD"},
    {"lone_lead_byte_at_the_end", "[Schedule]\r\n20040503DE=\x8b\x9e\x82", "20040503DE",
     "京\uFFFD"},
    {"nul_bytes", "[Schedule]\r\n20040503DE=a\0b\r\n"s, "20040503DE", "a\0b"s},
    {"utf8_file", "[Schedule]\r\n20040503DE=\xe4\xba\xac\r\n", "20040503DE",
     cp932::decode("\xe4\xba\xac")},
    {"utf8_byte_order_mark", "\xef\xbb\xbf[Schedule]\r\n20040503DE=kyoto\r\n", "20040503DE",
     "kyoto"},
    {"line_of_one_mebibyte",
     "[Schedule]\r\n" + std::string(1 << 20, 'x') + "\r\n20040503DE=kyoto\r\n", "20040503DE",
     "kyoto"},
    {"hundred_thousand_sections", many_sections(), "20040503DE", "kyoto"},
    {"value_of_3000_bytes", "[Schedule]\r\n20040503DE=" + std::string(3000, 'x') + "\r\n",
     "20040503DE", std::string(2047, 'x')},
    {"trail_bytes_bracket_and_backslash_in_a_key", "[Schedule]\r\n\x81\x5b\x90\x5c\x83\x5d=v\r\n",
     "ー申ゾ", "v"},
    {"jis_and_microsoft_differ",
     "[Schedule]\r\nk=\x81\x5c\x81\x60\x81\x61\x81\x7c\x81\x91\x81\x92\x81\xca\r\n", "k",
     "\u2015\uff5e\u2225\uff0d\uffe0\uffe1\uffe2"},
    {"nec_selected_ibm_duplicate_in_a_key", "[Schedule]\r\n\xed\x40=v\r\n", "纊", "v"},
    {"nec_row_13_duplicate_in_a_key", "[Schedule]\r\n\x87\x90=v\r\n", "≒", "v"},
};

void PrintTo(const FileRow& row, std::ostream* out) { *out << row.name; }

class DamagedFile : public ::testing::TestWithParam<FileRow> {
 protected:
  testing::TempFolder folder;
  ScheduleFile file{folder / "sorahemi.ini"};
};

TEST_P(DamagedFile, ShowsAsTextAndKeepsItsLinesWhenWrittenTo) {
  const FileRow& row = GetParam();
  put_file(file.path(), row.file);
  EXPECT_EQ(file.read("Schedule", row.key, "-"), row.shown);
  EXPECT_TRUE(file.has_key("Schedule", row.key));
  file.write("Other", "k", "v");
  std::string expected = row.file;
  if (expected.back() != '\n') expected += "\r\n";
  EXPECT_EQ(file_bytes(file.path()), expected + "[Other]\r\nk=v\r\n");
}

INSTANTIATE_TEST_SUITE_P(Rows, DamagedFile, ::testing::ValuesIn(file_rows),
                         [](const auto& param) { return std::string(param.param.name); });

struct TextRow {
  const char* name;
  std::string key;
  std::string value;
  std::string read_back;  // empty: refused
  std::string message;
};

const TextRow text_rows[] = {
    {"html_and_ampersand", "20040503DE", "<b>京都</b> & <img src=x>", "<b>京都</b> & <img src=x>",
     ""},
    {"trail_bytes_in_a_key", "ー申ゾ[]\\", "v", "v", ""},
    {"jis_forms_store_as_the_code_pages_own", "k", "—〜‖−¢£¬", "―～∥－￠￡￢", ""},
    {"line_break_in_a_value", "k", "a\r\n[x]", "", "改行や NUL 文字は予定ファイルに保存できません"},
    {"line_break_in_a_key", "k\nj", "v", "", "改行や NUL 文字は予定ファイルに保存できません"},
    {"nul_in_a_value", "k", "a\0b"s, "", "改行や NUL 文字は予定ファイルに保存できません"},
    {"emoji", "k", "京都🚃", "", "「🚃」(U+1F683) は予定ファイルに保存できない文字です"},
    {"hangul", "k", "서울", "", "「서」(U+C11C) は予定ファイルに保存できない文字です"},
    {"latin_with_diaeresis", "k", "Köln", "", "「ö」(U+00F6) は予定ファイルに保存できない文字です"},
    {"value_longer_than_a_read_returns", "k", std::string(2044, 'x') + "京京", "",
     "行き先や方角は 2047 バイト（全角で 1023 文字）までしか保存できません（2048 バイトあります）"},
    {"value_of_3000_bytes", "k", std::string(3000, 'x'), "",
     "行き先や方角は 2047 バイト（全角で 1023 文字）までしか保存できません（3000 バイトあります）"},
    {"value_of_exactly_2047_bytes", "k", std::string(2047, 'x'), std::string(2047, 'x'), ""},
};

void PrintTo(const TextRow& row, std::ostream* out) { *out << row.name; }

class HostileText : public ::testing::TestWithParam<TextRow> {
 protected:
  testing::TempFolder folder;
  ScheduleFile file{folder / "sorahemi.ini"};
};

TEST_P(HostileText, IsStoredAndReadBackOrRefusedWithItsMessage) {
  const TextRow& row = GetParam();
  const std::string before = "[Schedule]\r\nz=1\r\n; a note\r\n";
  put_file(file.path(), before);
  if (row.read_back.empty()) {
    try {
      file.write("Schedule", row.key, row.value);
      FAIL() << "stored";
    } catch (const UnstorableText& error) {
      EXPECT_EQ(std::string(error.what()), row.message);
    }
    EXPECT_EQ(file_bytes(file.path()), before);
    return;
  }
  file.write("Schedule", row.key, row.value);
  EXPECT_EQ(file.read("Schedule", row.key, "-"), row.read_back);
  const std::string after = file_bytes(file.path());
  EXPECT_EQ(after.substr(0, 17), "[Schedule]\r\nz=1\r\n");
  EXPECT_EQ(after.substr(after.size() - 10), "; a note\r\n");
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileText, ::testing::ValuesIn(text_rows),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace sorahemi::schedule
