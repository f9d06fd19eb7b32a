#pragma once

#include <string>
#include <string_view>

#include "reckoning/date.h"
#include "schedule/schedule_file.h"

namespace sorahemi::schedule {

inline constexpr std::string_view schedule_section = "Schedule";

// The two keys of a date's outing: 20040503DE (destination) and 20040503DI (direction).
struct OutingKeys {
  std::string destination;
  std::string direction;
};
OutingKeys outing_keys(reckoning::Date date);

struct Outing {
  std::string destination;
  std::string direction;
};

// The entry as the dialog loads it: an empty destination and 子（北） where nothing is stored.
Outing load_outing(const ScheduleFile& file, reckoning::Date date);

// The dialog's apply: an empty destination on a date that has one deletes the entry; anything
// else stores destination and direction as they are, the direction written second.
void apply_outing(ScheduleFile& file, reckoning::Date date, const Outing& outing);

}  // namespace sorahemi::schedule
