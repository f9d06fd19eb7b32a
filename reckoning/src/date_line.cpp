#include "reckoning/date_line.h"

#include <unicode/calendar.h>
#include <unicode/dtfmtsym.h>
#include <unicode/timezone.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

#include "digits.h"
#include "reckoning/sexagenary.h"

namespace sorahemi::reckoning {
namespace {

constexpr DayNumber unix_epoch = day_number(ymd(1970, 1, 1));
constexpr double milliseconds_per_day = 86'400'000.0;
// A date that lies in 明治 in every version of the era data.
constexpr Date in_meiji = ymd(1900, 1, 1);

void check(UErrorCode status, const char* what) {
  if (U_FAILURE(status)) {
    throw std::runtime_error(std::string("ICU: ") + what + ": " + u_errorName(status));
  }
}

std::string to_utf8(const icu::UnicodeString& text) {
  std::string utf8;
  text.toUTF8String(utf8);
  return utf8;
}

struct Era {
  std::string_view name;
  int year = 0;
};

// ICU's Japanese calendar, its era names and the Japanese short weekday names, made once per
// thread: composing a page must not rebuild them.
class JapaneseCalendarData {
 public:
  JapaneseCalendarData() {
    UErrorCode status = U_ZERO_ERROR;
    calendar_.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                  icu::Locale("ja@calendar=japanese"), status));
    check(status, "Japanese calendar");
    // One load of the Japanese calendar's symbols gives the eras and the weekdays alike.
    const icu::DateFormatSymbols symbols(icu::Locale("ja"), "japanese", status);
    check(status, "Japanese calendar symbols");
    int32_t count = 0;
    const icu::UnicodeString* names = symbols.getEraNames(count);
    for (int32_t i = 0; i < count; ++i) era_names_.push_back(to_utf8(names[i]));
    const icu::UnicodeString* weekdays = symbols.getShortWeekdays(count);
    std::array<std::string, 7> weekday_names;  // Sunday first
    for (int32_t i = 0; i < 7 && i + 1 < count; ++i) weekday_names[i] = to_utf8(weekdays[i + 1]);
    for (unsigned day = 1; day <= 31; ++day) {
      for (std::size_t weekday = 0; weekday < 7; ++weekday) {
        std::string& part = day_parts_[day - 1][weekday];
        append_zero_padded(part, day, 1);
        part.append("日(").append(weekday_names[weekday]).append(")");
      }
    }
    first_modern_era_ = icu_era_at(day_number(in_meiji)).first;
    newest_era_ = calendar_->getMaximum(UCAL_ERA);
    first_modern_year_ = first_year_ending_in_modern_era();
  }

  Era era(Date date, DayNumber n) {
    if (static_cast<int>(date.year()) < first_modern_year_) return {};
    const auto [index, year] = era_at(date, n);
    if (index < first_modern_era_ || index >= static_cast<int>(era_names_.size())) return {};
    return {era_names_[index], year};
  }

  // Whether an era ends within the year, so that its days may differ in era.
  bool era_changes_within(std::chrono::year year) {
    if (static_cast<int>(year) < first_modern_year_) return false;
    const YearEras& eras = eras_of(year);
    return eras.first_day.first != eras.last_day.first;
  }

  // The ends of date lines, 3日(月), by day of the month and weekday from Sunday.
  const std::array<std::array<std::string, 7>, 31>& day_parts() const { return day_parts_; }

 private:
  // Era numbers only grow, so a year that begins and ends in one era lies in it throughout;
  // ICU is asked about a year once, and about single days only in the years an era changes.
  struct YearEras {
    bool known = false;
    std::pair<int, int> first_day;
    std::pair<int, int> last_day;
  };

  const YearEras& eras_of(std::chrono::year year) {
    const auto index = static_cast<std::size_t>(static_cast<int>(year));
    YearEras& eras = years_[index];
    if (eras.known) return eras;
    const YearEras& before = years_[index - 1];
    if (before.known && before.last_day.first == newest_era_) {
      // No era follows the newest one in the data, so its years simply count on.
      eras.first_day = eras.last_day = {newest_era_, before.last_day.second + 1};
    } else {
      using namespace std::chrono;
      eras.first_day = icu_era_at(day_number(Date{year, January, day{1}}));
      eras.last_day = icu_era_at(day_number(Date{year, December, day{31}}));
    }
    eras.known = true;
    return eras;
  }

  std::pair<int, int> era_at(Date date, DayNumber n) {
    const YearEras& eras = eras_of(date.year());
    return eras.first_day.first == eras.last_day.first ? eras.first_day : icu_era_at(n);
  }

  // Years before it lie wholly before 明治, so they need no question to ICU at all.
  int first_year_ending_in_modern_era() {
    int low = 1;
    int high = static_cast<int>(in_meiji.year());
    while (low < high) {
      const int middle = (low + high) / 2;
      const Date last_day = ymd(middle, 12, 31);
      if (icu_era_at(day_number(last_day)).first < first_modern_era_) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    return low;
  }

  std::pair<int, int> icu_era_at(DayNumber n) {
    UErrorCode status = U_ZERO_ERROR;
    calendar_->setTime((n - unix_epoch) * milliseconds_per_day, status);
    const int index = calendar_->get(UCAL_ERA, status);
    const int year = calendar_->get(UCAL_YEAR, status);
    check(status, "era of a date");
    return {index, year};
  }

  std::unique_ptr<icu::Calendar> calendar_;
  std::vector<std::string> era_names_;
  std::array<std::array<std::string, 7>, 31> day_parts_;  // by day of month and weekday
  int first_modern_era_ = 0;
  int newest_era_ = 0;
  int first_modern_year_ = 1;
  std::vector<YearEras> years_ = std::vector<YearEras>(10000);
};

JapaneseCalendarData& calendar_data() {
  thread_local JapaneseCalendarData data;
  return data;
}

}  // namespace

std::string date_line(Date date) { return DateLines(date).line(); }

DateLines::DateLines(Date first)
    : date_(first),
      day_number_(reckoning::day_number(first)),
      weekday_(static_cast<std::size_t>(day_number_ % 7)),  // day 1, 1 January 1, is a Monday
      day_parts_(&calendar_data().day_parts()) {
  take_era();
  make_head();
  take_day_part();
}

void DateLines::change_era_if_ended() {
  if (take_era()) make_head();
}

void DateLines::begin_next_month() {
  using namespace std::chrono;
  const year_month following = year_month(date_.year(), date_.month()) + months{1};
  date_ = Date{following.year(), following.month(), day{1}};
  take_era();
  make_head();
}

bool DateLines::take_era() {
  const Era era = calendar_data().era(date_, day_number_);
  // The names are views of one table, so the same era is the same view.
  const bool changed = era.name.data() != era_name_.data() || era.year != era_year_;
  era_name_ = era.name;
  era_year_ = era.year;
  return changed;
}

void DateLines::make_head() {
  new_head_ = true;
  head_.clear();
  append_zero_padded(head_, static_cast<unsigned>(static_cast<int>(date_.year())), 4);
  head_.append("(").append(era_name_);
  // Two digits at least, never cut: 令和100 is the year 2118.
  if (!era_name_.empty()) append_zero_padded(head_, static_cast<unsigned>(era_year_), 2);
  head_.append(")年");
  append_zero_padded(head_, static_cast<unsigned>(date_.month()), 1);
  head_.append("月");
  using namespace std::chrono;
  last_day_ = year_month_day_last(date_.year(), month_day_last(date_.month())).day();
  era_may_change_ = calendar_data().era_changes_within(date_.year());
}

}  // namespace sorahemi::reckoning
