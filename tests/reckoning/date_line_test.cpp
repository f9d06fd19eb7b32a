#include "reckoning/date_line.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "reckoning/sexagenary.h"

namespace sorahemi::reckoning {
namespace {

// The tests run under LC_ALL=C: the Japanese names must not depend on the process locale.
TEST(DateLine, DatesAndEraBoundaries) {
  const struct {
    const char* why;
    Date date;
    const char* line;
  } rows[] = {
      {"new year, no leading zeros", ymd(2004, 1, 1), "2004(平成16)年1月1日(木)"},
      {"leap day", ymd(2004, 2, 29), "2004(平成16)年2月29日(日)"},
      {"the worked example", ymd(2004, 5, 3), "2004(平成16)年5月3日(月)"},
      {"two-digit month and day", ymd(2010, 10, 10), "2010(平成22)年10月10日(日)"},
      {"era year with a leading zero", ymd(1997, 12, 31), "1997(平成09)年12月31日(水)"},
      {"showa", ymd(1988, 11, 20), "1988(昭和63)年11月20日(日)"},
      {"last day of meiji", ymd(1912, 7, 29), "1912(明治45)年7月29日(月)"},
      {"first day of taisho", ymd(1912, 7, 30), "1912(大正01)年7月30日(火)"},
      {"last day of taisho", ymd(1926, 12, 24), "1926(大正15)年12月24日(金)"},
      {"first day of showa", ymd(1926, 12, 25), "1926(昭和01)年12月25日(土)"},
      {"last day of showa", ymd(1989, 1, 7), "1989(昭和64)年1月7日(土)"},
      {"first day of heisei", ymd(1989, 1, 8), "1989(平成01)年1月8日(日)"},
      {"last day of heisei", ymd(2019, 4, 30), "2019(平成31)年4月30日(火)"},
      {"first day of reiwa", ymd(2019, 5, 1), "2019(令和01)年5月1日(水)"},
      {"era year 100 is not cut", ymd(2118, 1, 1), "2118(令和100)年1月1日(土)"},
      {"before meiji the era is left empty", ymd(1850, 6, 1), "1850()年6月1日(土)"},
      {"year padded to four digits", ymd(1, 1, 1), "0001()年1月1日(月)"},
      {"last day of the calendar", ymd(9999, 12, 31), "9999(令和7981)年12月31日(金)"},
  };
  for (const auto& row : rows) EXPECT_EQ(date_line(row.date), row.line) << row.why;
}

TEST(DateLine, WeekdayFollowsTheStandardCalendarOverFourHundredYears) {
  constexpr std::array<const char*, 7> names{"日", "月", "火", "水", "木", "金", "土"};
  const auto start = std::chrono::sys_days{ymd(2000, 1, 1)};
  for (auto d = start; d < start + std::chrono::days{146097}; ++d) {
    const std::string line = date_line(Date{d});
    const std::string expected =
        std::string("(") + names[std::chrono::weekday{d}.c_encoding()] + ")";
    ASSERT_EQ(line.substr(line.size() - expected.size()), expected) << line;
  }
}

// A run of lines counts the newest era's years on by itself once a year lies wholly in it; each
// new year must still read as 令和 year Y - 2018, up to the three-digit years.
TEST(DateLine, RunCountsTheNewestErasYearsOn) {
  DateLines lines(ymd(2019, 12, 31));
  for (int year = 2020; year <= 2130; ++year) {
    while (lines.date() != ymd(year, 1, 1)) lines.next();
    const int era_year = year - 2018;
    const std::string expected = std::to_string(year) + "(令和" + (era_year < 10 ? "0" : "") +
                                 std::to_string(era_year) + ")年1月1日(";
    ASSERT_EQ(lines.line().substr(0, expected.size()), expected);
  }
}

}  // namespace
}  // namespace sorahemi::reckoning
