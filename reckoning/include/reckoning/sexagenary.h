#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "reckoning/date.h"

namespace sorahemi::reckoning {

// Days counted from 1 January of year 1, which is day 1.
using DayNumber = std::int32_t;
// The day's place in the sixty-day cycle, 0 (甲子) to 59 (癸亥).
using KanshiIndex = std::int32_t;

inline constexpr std::array<std::string_view, 10> Jikkan{"甲", "乙", "丙", "丁", "戊",
                                                         "己", "庚", "辛", "壬", "癸"};
inline constexpr std::array<std::string_view, 10> JikkanYomi{
    "きのえ",   "きのと", "ひのえ", "ひのと",   "つちのえ",
    "つちのと", "かのえ", "かのと", "みずのえ", "みずのと"};
inline constexpr std::array<std::string_view, 12> Junishi{"子", "丑", "寅", "卯", "辰", "巳",
                                                          "午", "未", "申", "酉", "戌", "亥"};
inline constexpr std::array<std::string_view, 12> JunishiYomi{
    "ね", "うし", "とら", "う", "たつ", "み", "うま", "ひつじ", "さる", "とり", "いぬ", "い"};

constexpr DayNumber day_number(Date date) {
  using namespace std::chrono;
  const int year = static_cast<int>(date.year());
  const DayNumber a = year - 1;
  DayNumber n = 365 * a + a / 4 - a / 100 + a / 400;
  for (unsigned m = 1; m < static_cast<unsigned>(date.month()); ++m) {
    n += static_cast<DayNumber>(
        static_cast<unsigned>(year_month_day_last{date.year(), month_day_last{month{m}}}.day()));
  }
  return n + static_cast<DayNumber>(static_cast<unsigned>(date.day()));
}

constexpr int stem_index(DayNumber n) { return (n + 4) % 10; }
constexpr int branch_index(DayNumber n) { return (n + 2) % 12; }
constexpr KanshiIndex kanshi_index(DayNumber n) { return (n + 14) % 60; }

// Stem and branch kanji, then their readings in ASCII parentheses: 壬午(みずのえうま).
std::string designation(int stem, int branch);

}  // namespace sorahemi::reckoning
