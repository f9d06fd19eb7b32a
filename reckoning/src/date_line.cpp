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
    for (int32_t i = 0; i < 7 && i + 1 < count; ++i) weekday_names_[i] = to_utf8(weekdays[i + 1]);
    first_modern_era_ = icu_era_at(day_number(in_meiji)).first;
  }

  Era era(Date date, DayNumber n) {
    const auto [index, year] = era_at(date, n);
    if (index < first_modern_era_ || index >= static_cast<int>(era_names_.size())) return {};
    return {era_names_[index], year};
  }

  std::string_view weekday(DayNumber n) const {
    return weekday_names_[n % 7];  // day 1, 1 January 1, is a Monday
  }

 private:
  // Era numbers only grow, so a year that begins and ends in one era lies in it throughout;
  // ICU is asked about a year once, and about single days only in the years an era changes.
  struct YearEras {
    bool known = false;
    std::pair<int, int> first_day;
    std::pair<int, int> last_day;
  };

  std::pair<int, int> era_at(Date date, DayNumber n) {
    const int year = static_cast<int>(date.year());
    YearEras& eras = years_[static_cast<std::size_t>(year)];
    if (!eras.known) {
      using namespace std::chrono;
      eras.first_day = icu_era_at(day_number(Date{date.year(), January, day{1}}));
      eras.last_day = icu_era_at(day_number(Date{date.year(), December, day{31}}));
      eras.known = true;
    }
    return eras.first_day.first == eras.last_day.first ? eras.first_day : icu_era_at(n);
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
  std::array<std::string, 7> weekday_names_;  // Sunday first
  int first_modern_era_ = 0;
  std::vector<YearEras> years_ = std::vector<YearEras>(10000);
};

JapaneseCalendarData& calendar_data() {
  thread_local JapaneseCalendarData data;
  return data;
}

}  // namespace

std::string date_line(Date date) {
  const DayNumber n = day_number(date);
  JapaneseCalendarData& data = calendar_data();
  const Era era = data.era(date, n);
  std::string line;
  append_zero_padded(line, static_cast<unsigned>(static_cast<int>(date.year())), 4);
  line.append("(").append(era.name);
  // Two digits at least, never cut: 令和100 is the year 2118.
  if (!era.name.empty()) append_zero_padded(line, static_cast<unsigned>(era.year), 2);
  line.append(")年");
  append_zero_padded(line, static_cast<unsigned>(date.month()), 1);
  line.append("月");
  append_zero_padded(line, static_cast<unsigned>(date.day()), 1);
  line.append("日(").append(data.weekday(n)).append(")");
  return line;
}

}  // namespace sorahemi::reckoning
