#pragma once

#include <array>
#include <string>
#include <string_view>

#include "reckoning/date.h"
#include "reckoning/sexagenary.h"

namespace sorahemi::reckoning {

// The first line of the daily page: 2004(平成16)年5月3日(月). The era and its year come from
// the system's ICU; before 明治 they are left empty, as ICU's older eras are not dates we can
// stand behind.
std::string date_line(Date date);

// The date lines of consecutive days, each made from the one before: the part up to the month
// is made again only when the month or the era changes, so a long run costs little per day.
class DateLines {
 public:
  explicit DateLines(Date first);

  Date date() const { return date_; }
  DayNumber day_number() const { return day_number_; }
  std::string_view line() const { return line_; }

  // Moves on to the following day; the date must lie before last_date.
  void next();

 private:
  // The ends of date lines, 3日(月), by day of the month and weekday.
  using DayParts = std::array<std::array<std::string, 7>, 31>;

  bool take_era();  // whether the era or its year differs from the day before's
  void make_head();
  void make_day();

  Date date_;
  DayNumber day_number_;
  std::string_view era_name_;
  int era_year_ = 0;
  std::string line_;
  std::size_t head_size_ = 0;
  std::chrono::day last_day_;    // of the month
  bool era_may_change_ = false;  // within the year
  const DayParts* day_parts_;
};

}  // namespace sorahemi::reckoning
