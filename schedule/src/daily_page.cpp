#include "schedule/daily_page.h"

#include <map>

#include "reckoning/sexagenary.h"
#include "schedule/cp932.h"
#include "schedule/outing.h"

namespace sorahemi::schedule {
namespace {

constexpr std::string_view no_direction;

// The date of a name as the lookups fold outing keys (20040503de, 20040503di); only such names
// are ever asked for.
std::optional<reckoning::Date> date_of_folded_key(std::string_view name) {
  if (!name.ends_with("de") && !name.ends_with("di")) return std::nullopt;
  return reckoning::from_eight_digit_date(name.substr(0, name.size() - 2));
}

}  // namespace

DailyPage compose_daily_page(reckoning::Date date, const ScheduleFile& file) {
  using namespace reckoning;
  DailyPage page;
  const DayNumber n = day_number(date);
  page.date_line = date_line(date);
  page.designation = designation(stem_index(n), branch_index(n));
  page.kanshi_index = kanshi_index(n);
  const OutingKeys keys = outing_keys(date);
  const ScheduleText text(file);
  page.destination = text.read(schedule_section, keys.destination, no_outing);
  page.direction = text.read(schedule_section, keys.direction, no_direction);
  return page;
}

DailyPageRun::DailyPageRun(const ScheduleFile& file, reckoning::Date first)
    : lines_(first), kanshi_index_(reckoning::kanshi_index(lines_.day_number())) {
  // The cycle pairs stem k mod 10 with branch k mod 12.
  for (reckoning::KanshiIndex k = 0; k < 60; ++k) {
    designations_[k] = reckoning::designation(k % 10, k % 12);
    tenichi_[k] = reckoning::tenichi_direction(k);
  }
  std::map<reckoning::Date, StoredOuting> by_date;
  const ScheduleSnapshot snapshot(file, schedule_section);
  for (const auto& [name, value] : snapshot.values()) {
    const auto date = date_of_folded_key(name);
    if (!date) continue;
    StoredOuting& stored =
        by_date.try_emplace(*date, StoredOuting{*date, std::nullopt, std::nullopt}).first->second;
    (name.ends_with("de") ? stored.destination : stored.direction) = cp932::decode(value);
  }
  for (auto& [date, stored] : by_date) {
    if (date >= first) outings_.push_back(std::move(stored));
  }
  find_outing();
}

}  // namespace sorahemi::schedule
