#include "schedule/daily_page.h"

#include "reckoning/date_line.h"
#include "reckoning/sexagenary.h"
#include "schedule/outing.h"

namespace sorahemi::schedule {
namespace {

constexpr std::string_view no_outing = "なし";

template <class Read>
DailyPage compose(reckoning::Date date, const Read& read) {
  using namespace reckoning;
  DailyPage page;
  const DayNumber n = day_number(date);
  page.date_line = date_line(date);
  page.designation = designation(stem_index(n), branch_index(n));
  page.kanshi_index = kanshi_index(n);
  const OutingKeys keys = outing_keys(date);
  page.destination = read(keys.destination, no_outing);
  page.direction = read(keys.direction, "");
  return page;
}

}  // namespace

DailyPage compose_daily_page(reckoning::Date date, const ScheduleFile& file) {
  const ScheduleText text(file);
  return compose(date, [&](std::string_view key, std::string_view fallback) {
    return text.read(schedule_section, key, fallback);
  });
}

DailyPage compose_daily_page(reckoning::Date date, const ScheduleSnapshot& snapshot) {
  return compose(date, [&](std::string_view key, std::string_view fallback) {
    return snapshot.read(key, fallback);
  });
}

}  // namespace sorahemi::schedule
