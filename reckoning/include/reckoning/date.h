#pragma once

#include <chrono>

namespace sorahemi::reckoning {

// A date of the proleptic Gregorian calendar; the reckoning takes years 1 to 9999.
using Date = std::chrono::year_month_day;

inline constexpr Date first_date{std::chrono::year{1}, std::chrono::January, std::chrono::day{1}};
inline constexpr Date last_date{std::chrono::year{9999}, std::chrono::December,
                                std::chrono::day{31}};

constexpr bool in_range(Date date) { return date.ok() && date >= first_date && date <= last_date; }

// Today's local date from the system clock.
Date today();

}  // namespace sorahemi::reckoning
