#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reckoning/date.h"
#include "reckoning/date_line.h"
#include "reckoning/tenichi.h"
#include "schedule/schedule_file.h"

namespace sorahemi::schedule {

// The destination of a date without an entry.
inline constexpr std::string_view no_outing = "なし";

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

// The reckoning first, then the date's two keys from one read of the file.
DailyPage compose_daily_page(reckoning::Date date, const ScheduleFile& file);

// The pages of consecutive dates from one read of the file, for commands that print many: each
// page is made from the one before, so a long run costs little per day. The texts are those of
// DailyPage and stay valid until next().
class DailyPageRun {
 public:
  DailyPageRun(const ScheduleFile& file, reckoning::Date first);

  reckoning::Date date() const { return lines_.date(); }
  const reckoning::DateLines& date_lines() const { return lines_; }
  reckoning::KanshiIndex kanshi_index() const { return kanshi_index_; }
  std::string_view designation() const { return designations_[kanshi_index()]; }
  std::string_view tenichi() const { return tenichi_[kanshi_index()]; }
  std::string_view destination() const {
    return outing_ && outing_->destination ? *outing_->destination : no_outing;
  }
  std::string_view direction() const {
    return outing_ && outing_->direction ? *outing_->direction : std::string_view();
  }

  // Moves on to the following date, which must not lie after reckoning::last_date.
  void next() {
    if (outing_) ++next_outing_;
    lines_.next();
    kanshi_index_ = kanshi_index_ == 59 ? 0 : kanshi_index_ + 1;
    find_outing();
  }

 private:
  struct StoredOuting {
    reckoning::Date date;
    std::optional<std::string> destination;
    std::optional<std::string> direction;
  };

  void find_outing() {
    const bool stored = next_outing_ < outings_.size() && outings_[next_outing_].date == date();
    outing_ = stored ? &outings_[next_outing_] : nullptr;
  }

  reckoning::DateLines lines_;
  reckoning::KanshiIndex kanshi_index_;
  std::array<std::string, 60> designations_;  // by kanshi index
  std::array<std::string_view, 60> tenichi_;  // by kanshi index
  std::vector<StoredOuting> outings_;         // by date
  std::size_t next_outing_ = 0;               // the first not before the date
  const StoredOuting* outing_ = nullptr;      // the date's, if stored
};

}  // namespace sorahemi::schedule
