#pragma once

#include <string>
#include <string_view>

#include "reckoning/date.h"
#include "reckoning/tenichi.h"
#include "schedule/schedule_file.h"

namespace sorahemi::schedule {

// The four texts of the main window for one date.
struct DailyPage {
  std::string date_line;
  std::string designation;
  reckoning::KanshiIndex kanshi_index = 0;
  std::string destination;  // the stored destination, or なし
  std::string direction;    // the stored direction, or empty

  // The date label's two lines.
  std::string date_text() const { return date_line + "\r\n" + designation; }
  // Ten'ichi's direction, or 天上.
  std::string_view tenichi() const { return reckoning::tenichi_direction(kanshi_index); }
};

// The reckoning first, then the date's two keys read through one accessor.
DailyPage compose_daily_page(reckoning::Date date, const ScheduleFile& file);
// The same page from a section read once.
DailyPage compose_daily_page(reckoning::Date date, const ScheduleSnapshot& snapshot);

}  // namespace sorahemi::schedule
