#include "schedule/cp932.h"

#include <gtest/gtest.h>

#include "schedule/errors.h"

namespace sorahemi::schedule {
namespace {

TEST(Cp932, TextRoundTripsThroughItsBytes) {
  const struct {
    const char* why;
    const char* text;
    std::string_view bytes;
  } rows[] = {
      {"ASCII with a backslash", "a\\b~", "a\\b~"},
      {"申 has the trail byte 0x5C", "申", "\x90\x5c"},
      {"ー has the trail byte '['", "ー", "\x81\x5b"},
      {"ア has the trail byte 'A'", "ア", "\x83\x41"},
      {"ヂ has the trail byte 'a'", "ヂ", "\x83\x61"},
      {"full-width parentheses", "子（北）", "\x8e\x71\x81\x69\x96\x6b\x81\x6a"},
      {"half-width katakana", "ｿﾗ", "\xbf\xd7"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(cp932::encode(row.text), row.bytes);
    EXPECT_EQ(cp932::decode(row.bytes), row.text);
  }
}

TEST(Cp932, JisFormsTypedOnLinuxStoreAsTheCodePagesCharacters) {
  const struct {
    const char* jis;
    std::string_view bytes;
  } rows[] = {
      {"\u2014", "\x81\x5c"}, {"\u301c", "\x81\x60"}, {"\u2016", "\x81\x61"},
      {"\u2212", "\x81\x7c"}, {"\u00a2", "\x81\x91"}, {"\u00a3", "\x81\x92"},
      {"\u00ac", "\x81\xca"},
  };
  for (const auto& row : rows) EXPECT_EQ(cp932::encode(row.jis), row.bytes) << row.jis;
}

TEST(Cp932, CharacterOutsideTheCodePageIsRefusedByName) {
  const struct {
    const char* text;
    const char* named;
  } rows[] = {
      {"京都😀", "「😀」(U+1F600)"},
      {"서울", "「서」(U+C11C)"},
      {"Köln", "「ö」(U+00F6)"},
      {"¥", "「¥」(U+00A5)"},  // ICU would quietly make it a backslash
  };
  for (const auto& row : rows) {
    try {
      cp932::encode(row.text);
      ADD_FAILURE() << row.text << " was encoded";
    } catch (const UnstorableText& error) {
      EXPECT_EQ(std::string(error.what()),
                std::string(row.named) + " は予定ファイルに保存できない文字です");
    }
  }
}

TEST(Cp932, BytesThatAreNoCharacterDecodeAsReplacementCharacters) {
  using namespace std::literals;
  const struct {
    const char* why;
    std::string_view bytes;
    std::string_view text;
  } rows[] = {
      {"lone lead byte at the end", "a\x82"sv, "a\uFFFD"sv},
      {"lead byte before an invalid trail keeps the next character", "\x81 b"sv, "\uFFFD b"sv},
      {"unassigned pair is one character", "\x85\x40z"sv, "\uFFFDz"sv},
      {"bytes that are never characters", "\x80\xa0\xfd\xff"sv, "\uFFFD\uFFFD\uFFFD\uFFFD"sv},
      {"NUL is kept", "a\0b"sv, "a\0b"sv},
  };
  for (const auto& row : rows) EXPECT_EQ(cp932::decode(row.bytes), row.text) << row.why;
}

TEST(Cp932, CharacterLengthTakesLeadAndTrailTogether) {
  EXPECT_EQ(cp932::character_length("\x83\x41", 0), 2u);
  EXPECT_EQ(cp932::character_length("\x83\x41", 1), 1u);
  EXPECT_EQ(cp932::character_length("\x81 ", 0), 1u);
  EXPECT_EQ(cp932::character_length("\x82", 0), 1u);
  EXPECT_EQ(cp932::character_length("\xe0\x40", 0), 2u);
}

}  // namespace
}  // namespace sorahemi::schedule
