#include "reckoning/date.h"

#include <charconv>
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

std::optional<unsigned> digits_at(std::string_view text, std::size_t pos, std::size_t length) {
  unsigned value = 0;
  const char* const first = text.data() + pos;
  const auto [end, error] = std::from_chars(first, first + length, value);
  if (error != std::errc{} || end != first + length) return std::nullopt;
  return value;
}

// The inverse of date_digits.
std::optional<Date> date_from_digits(std::string_view text, std::string_view separator) {
  const std::size_t step = separator.size();
  if (text.size() != 8 + 2 * step || text.substr(4, step) != separator ||
      text.substr(6 + step, step) != separator) {
    return std::nullopt;
  }
  const auto year = digits_at(text, 0, 4);
  const auto month = digits_at(text, 4 + step, 2);
  const auto day = digits_at(text, 6 + 2 * step, 2);
  if (!year || !month || !day) return std::nullopt;
  const Date date = ymd(static_cast<int>(*year), *month, *day);
  if (!in_range(date)) return std::nullopt;
  return date;
}

}  // namespace

std::string iso_date(Date date) { return date_digits(date, "-"); }

std::string eight_digit_date(Date date) { return date_digits(date, ""); }

std::optional<Date> from_iso_date(std::string_view text) { return date_from_digits(text, "-"); }

std::optional<Date> from_eight_digit_date(std::string_view text) {
  return date_from_digits(text, "");
}

Date today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return ymd(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
             static_cast<unsigned>(local.tm_mday));
}

}  // namespace sorahemi::reckoning
