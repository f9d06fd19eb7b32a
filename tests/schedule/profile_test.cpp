#include "schedule/profile.h"

#include <gtest/gtest.h>

namespace sorahemi::schedule::profile {
namespace {

using namespace std::literals;

struct ReadRow {
  const char* why;
  std::string_view file;
  std::string_view section;
  std::string_view key;
  std::optional<std::string_view> value;
};

// How files written or edited by hand on Windows read.
const ReadRow read_rows[] = {
    {"plain entry", "[Schedule]\r\n20040503DE=京都\r\n", "Schedule", "20040503DE", "京都"},
    {"names match without ASCII case", "[schedule]\r\n20040503de=x\r\n", "SCHEDULE", "20040503DE",
     "x"},
    {"present but empty is not missing", "[S]\r\nk=\r\n", "S", "k", ""},
    {"missing key", "[S]\r\nk=1\r\n", "S", "other", std::nullopt},
    {"missing section", "[T]\r\nk=1\r\n", "S", "k", std::nullopt},
    {"blanks around names, '=' and values", "[ S ]\r\n \t k \v= \t v w \r\n", "S", "k", "v w"},
    {"one matching pair of double quotes", "[S]\r\nk=\" v \"\r\n", "S", "k", " v "},
    {"one matching pair of single quotes", "[S]\r\nk='v'\r\n", "S", "k", "v"},
    {"quotes that do not match stay", "[S]\r\nk=\"v'\r\n", "S", "k", "\"v'"},
    {"only the outer pair goes", "[S]\r\nk=\"\"v\"\"\r\n", "S", "k", "\"v\""},
    {"semicolon starts a comment", "[S]\r\n;k=1\r\n k=2\r\n", "S", "k", "2"},
    {"hash is no comment", "[S]\r\n#k=1\r\n", "S", "#k", "1"},
    {"text after ']' is ignored", "[S] trailing\r\nk=1\r\n", "S", "k", "1"},
    {"missing ']' is accepted", "[S\r\nk=1\r\n", "S", "k", "1"},
    {"lines before the first header belong to no section", "k=0\r\n[S]\r\nk=1\r\n", "S", "k", "1"},
    {"first of duplicated keys wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
    {"only the first of duplicated sections is searched", "[S]\r\na=1\r\n[s]\r\nk=2\r\n", "S", "k",
     std::nullopt},
    {"LF-only file", "[S]\nk=1\nj=2\n", "S", "j", "2"},
    {"CR-only file", "[S]\rk=1\rj=2\r", "S", "j", "2"},
    {"last line without a line break", "[S]\r\nk=1", "S", "k", "1"},
    {"section ends at the next header", "[S]\r\n[T]\r\nk=1\r\n", "S", "k", std::nullopt},
    {"trail byte ']' in a section name", "[\x83\x5d]\r\nk=1\r\n"sv, "\x83\x5d"sv, "k", "1"},
    {"trail byte '[' in a key", "[S]\r\n\x81\x5bk=1\r\n"sv, "S", "\x81\x5bk"sv, "1"},
    {"trail byte '\\' in a value", "[S]\r\nk=\x90\x5c\r\n"sv, "S", "k", "\x90\x5c"sv},
    {"trail letter never folds: ア is not ヂ", "[S]\r\n\x83\x41=1\r\n"sv, "S", "\x83\x61"sv,
     std::nullopt},
    {"duplicate codes of one character match (≒ 81E0 and 8790)", "[S]\r\n\x87\x90=1\r\n"sv, "S",
     "\x81\xe0"sv, "1"},
};

TEST(ProfileRead, ReadsAsWindowsDoes) {
  for (const ReadRow& row : read_rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(value(row.file, row.section, row.key), row.value);
    EXPECT_EQ(has_key(row.file, row.section, row.key), row.value.has_value());
  }
}

TEST(ProfileRead, SectionValuesAgreeWithSingleReads) {
  for (const ReadRow& row : read_rows) {
    SCOPED_TRACE(row.why);
    const auto values = section_values(row.file, row.section);
    const auto found = values.find(fold_name(row.key));
    EXPECT_EQ(found == values.end() ? std::nullopt : std::optional<std::string_view>(found->second),
              row.value);
  }
}

TEST(ProfileRead, LongValueIsCutAtACharacterBoundary) {
  const std::string ascii = "[S]\r\nk=" + std::string(3000, 'x') + "\r\n";
  EXPECT_EQ(value(ascii, "S", "k")->size(), max_value_bytes);
  std::string kanji = "[S]\r\nk=";
  for (int i = 0; i < 1500; ++i) kanji += "\x8b\x9e";  // 京
  EXPECT_EQ(value(kanji, "S", "k")->size(), max_value_bytes - 1);
}

// The search passes over whole blocks of bytes at a time, so the key's line, a look-alike and
// the next header are put at every offset within those blocks and in the bytes after the last.
TEST(ProfileRead, FindsKeysAndHeadersAtEveryOffset) {
  for (std::size_t pad = 0; pad < 300; ++pad) {
    SCOPED_TRACE(pad);
    const std::string head = "[S]\r\nx=" + std::string(pad, 'y') + "\r\n";
    EXPECT_EQ(value(head + " 20261211de=v\r\n", "S", "20261211DE"), "v");
    EXPECT_EQ(value(head + "20261211dI=w", "S", "20261211DI"), "w");
    EXPECT_EQ(value(head + "abxb\r\nabab=v\r\n", "S", "abab"), "v");  // a near miss just before
    for (const char* look_alike :
         {"20261210DE=v", "30261211DE=v", "20261211DF=v", "x20261211DE=v", "20261211D=v"}) {
      EXPECT_EQ(value(head + look_alike + "\r\n", "S", "20261211DE"), std::nullopt) << look_alike;
    }
    EXPECT_EQ(value(head + "[T]\r\n20261211DE=v\r\n", "S", "20261211DE"), std::nullopt);
    EXPECT_EQ(value(head + "y=[T]\r\n20261211DE=v\r\n", "S", "20261211DE"), "v");
    EXPECT_EQ(with_value(head + "\r\n[T]\r\n", "S", "k", "v"), head + "k=v\r\n\r\n[T]\r\n");
  }
}

struct WriteRow {
  const char* why;
  std::string_view before;
  std::string_view after;
};

TEST(ProfileWrite, KeepsEveryLineItDoesNotWrite) {
  const WriteRow rows[] = {
      {"new file", "", "[S]\r\nk=v\r\n"},
      {"new section at the end", "[T]\r\na=1\r\n", "[T]\r\na=1\r\n[S]\r\nk=v\r\n"},
      {"a line break before appending to an open last line", "[T]\r\na=1",
       "[T]\r\na=1\r\n[S]\r\nk=v\r\n"},
      {"new key after the last key, before blank lines and comments",
       "[S]\r\na=1\r\n\r\n; note\r\n[T]\r\n", "[S]\r\na=1\r\nk=v\r\n\r\n; note\r\n[T]\r\n"},
      {"new key right after a header without keys", "[S]\r\n[T]\r\n", "[S]\r\nk=v\r\n[T]\r\n"},
      {"new key after an open last line", "[S]\r\na=1", "[S]\r\na=1\r\nk=v\r\n"},
      {"existing key keeps the file's spelling", "[s]\n  K = old \nz=1\n", "[s]\nK=v\r\nz=1\n"},
      {"invalid bytes and other sections stay byte for byte",
       "\xff\x82\n[T]\rt=\x85\x40\r[S]\r\nk=old\r\n"sv,
       "\xff\x82\n[T]\rt=\x85\x40\r[S]\r\nk=v\r\n"sv},
      {"the first of duplicated sections gets the key", "[S]\r\n[S]\r\nk=1\r\n",
       "[S]\r\nk=v\r\n[S]\r\nk=1\r\n"},
  };
  for (const WriteRow& row : rows) {
    EXPECT_EQ(with_value(row.before, "S", "k", "v"), row.after) << row.why;
  }
}

TEST(ProfileWrite, EveryValueReadsBackAsWritten) {
  for (const std::string_view written : {"", " ", " a ", "\"q\"", "'q'", "\"", "\"a'", "a\"b\""}) {
    EXPECT_EQ(value(with_value("", "S", "k", written), "S", "k"), written) << written;
  }
  EXPECT_EQ(with_value("", "S", "k", "plain"), "[S]\r\nk=plain\r\n");
}

TEST(ProfileWrite, DeletesOnlyTheKeysLine) {
  EXPECT_EQ(without_key("[S]\r\na=1\r\nK=2\r\n;c\r\n", "S", "k"), "[S]\r\na=1\r\n;c\r\n");
  EXPECT_EQ(without_key("[S]\r\nk=2", "S", "k"), "[S]\r\n");
  EXPECT_EQ(without_key("[S]\r\na=1\r\n", "S", "k"), std::nullopt);
  EXPECT_EQ(without_key("[T]\r\nk=1\r\n", "S", "k"), std::nullopt);
}

}  // namespace
}  // namespace sorahemi::schedule::profile
