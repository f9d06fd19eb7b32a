#include "reckoning/date.h"

#include <ctime>

#include "digits.h"

namespace sorahemi::reckoning {

namespace {

// The year in four digits, then month and day in two each, with the separator between them.
std::string date_digits(Date date, std::string_view separator) {
  std::string text;
  append_zero_padded(text, static_cast<unsigned>(static_cast<int>(date.year())), 4);
  text.append(separator);
  append_zero_padded(text, static_cast<unsigned>(date.month()), 2);
  text.append(separator);
  append_zero_padded(text, static_cast<unsigned>(date.day()), 2);
  return text;
}

}  // namespace

std::string iso_date(Date date) { return date_digits(date, "-"); }

std::string eight_digit_date(Date date) { return date_digits(date, ""); }

Date today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return ymd(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
             static_cast<unsigned>(local.tm_mday));
}

}  // namespace sorahemi::reckoning
