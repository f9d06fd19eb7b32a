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
  // The line in two parts, 2004(平成16)年5月 and 3日(月), so that a run can send them as they are.
  std::string_view head() const { return head_; }
  std::string_view day_part() const { return *day_part_; }
  std::string line() const { return head_ + *day_part_; }
  // Whether the last move made a new head: a new month, or a new era within one.
  bool new_head() const { return new_head_; }

  // Moves on to the following day; the date must lie before last_date. Inline, as a run of pages
  // takes this step for every day.
  void next() {
    ++day_number_;
    weekday_ = weekday_ == 6 ? 0 : weekday_ + 1;
    new_head_ = false;
    if (date_.day() < last_day_) {
      date_ = Date{date_.year(), date_.month(), date_.day() + std::chrono::days{1}};
      // The era is asked for daily only in a year in which one ends.
      if (era_may_change_) change_era_if_ended();
    } else {
      begin_next_month();
    }
    take_day_part();
  }

 private:
  // The ends of date lines, 3日(月), by day of the month and weekday.
  using DayParts = std::array<std::array<std::string, 7>, 31>;

  bool take_era();  // whether the era or its year differs from the day before's
  void make_head();
  void change_era_if_ended();
  void take_day_part() {
    day_part_ = &(*day_parts_)[static_cast<unsigned>(date_.day()) - 1][weekday_];
  }
  void begin_next_month();

  Date date_;
  DayNumber day_number_;
  std::size_t weekday_;  // from Sunday
  std::string_view era_name_;
  int era_year_ = 0;
  std::string head_;
  const std::string* day_part_ = nullptr;
  bool new_head_ = true;
  std::chrono::day last_day_;    // of the month
  bool era_may_change_ = false;  // within the year
  const DayParts* day_parts_;
};

}  // namespace sorahemi::reckoning
