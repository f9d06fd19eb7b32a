#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace sorahemi::reckoning {

// A date of the proleptic Gregorian calendar; the reckoning takes years 1 to 9999.
using Date = std::chrono::year_month_day;

constexpr Date ymd(int year, unsigned month, unsigned day) {
  return Date{std::chrono::year{year}, std::chrono::month{month}, std::chrono::day{day}};
}

inline constexpr Date first_date = ymd(1, 1, 1);
inline constexpr Date last_date = ymd(9999, 12, 31);

constexpr bool in_range(Date date) { return date.ok() && date >= first_date && date <= last_date; }

// Today's local date from the system clock.
Date today();

// 2004-05-03, and the eight digits of the schedule file's keys: 20040503.
std::string iso_date(Date date);
std::string eight_digit_date(Date date);
// The other way: the date such a text names, when it lies in the reckoning's range.
std::optional<Date> from_iso_date(std::string_view text);
std::optional<Date> from_eight_digit_date(std::string_view text);

}  // namespace sorahemi::reckoning
