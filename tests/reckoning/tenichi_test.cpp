#include "reckoning/tenichi.h"

#include <gtest/gtest.h>

#include <vector>

namespace sorahemi::reckoning {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

TEST(Tenichi, EveryRunBoundary) {
  const struct {
    KanshiIndex first;
    KanshiIndex last;
    const char* text;
  } runs[] = {
      {0, 1, "巽（南東）"},   {2, 6, "午（南）"},     {7, 12, "坤（南西）"}, {13, 17, "酉（西）"},
      {18, 23, "乾（北西）"}, {24, 28, "子（北）"},   {29, 44, "天上"},      {45, 50, "艮（北東）"},
      {51, 55, "卯（東）"},   {56, 59, "巽（南東）"},
  };
  for (const auto& run : runs) {
    EXPECT_EQ(tenichi_direction(run.first), run.text) << run.first;
    EXPECT_EQ(tenichi_direction(run.last), run.text) << run.last;
  }
}

// Ten'ichi descends on 己酉 into the northeast and moves clockwise: six days in a diagonal,
// five in a cardinal direction, then sixteen days in heaven.
TEST(Tenichi, CycleIsOneUnbrokenRunPerDirectionClockwiseFromNortheast) {
  struct Run {
    std::string_view text;
    int days;
  };
  std::vector<Run> seen;
  for (int step = 0; step < 60; ++step) {
    const std::string_view text = tenichi_direction((45 + step) % 60);
    if (seen.empty() || seen.back().text != text) seen.push_back({text, 0});
    ++seen.back().days;
  }
  ASSERT_EQ(seen.size(), 9u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(seen[i].text, direction_texts[(i + 1) % 8]) << i;
    EXPECT_EQ(seen[i].days, i % 2 == 0 ? 6 : 5) << i;
  }
  EXPECT_EQ(seen[8].text, in_heaven);
  EXPECT_EQ(seen[8].days, 16);
}

TEST(Tenichi, DatesOfTheCycle) {
  const struct {
    const char* why;
    Date date;
    const char* text;
  } rows[] = {
      {"甲子, inside the wrapping southeast run", {year{2024}, month{1}, day{1}}, "巽（南東）"},
      {"first day south", {year{2024}, month{1}, day{3}}, "午（南）"},
      {"last day north", {year{2024}, month{1}, day{29}}, "子（北）"},
      {"first of sixteen days in heaven", {year{2024}, month{1}, day{30}}, "天上"},
      {"last day in heaven", {year{2024}, month{2}, day{14}}, "天上"},
      {"descent into the northeast", {year{2024}, month{2}, day{15}}, "艮（北東）"},
      {"癸亥, end of the cycle", {year{2024}, month{2}, day{29}}, "巽（南東）"},
      {"the worked example", {year{2004}, month{5}, day{3}}, "乾（北西）"},
      {"first day of the calendar", {year{1}, month{1}, day{1}}, "酉（西）"},
      {"last day of the calendar", {year{9999}, month{12}, day{31}}, "卯（東）"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(tenichi_direction(kanshi_index(day_number(row.date))), row.text) << row.why;
  }
}

}  // namespace
}  // namespace sorahemi::reckoning
