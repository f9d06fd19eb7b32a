#include "schedule/outing.h"

#include "reckoning/tenichi.h"

namespace sorahemi::schedule {

OutingKeys outing_keys(reckoning::Date date) {
  const std::string digits = reckoning::eight_digit_date(date);
  return {digits + "DE", digits + "DI"};
}

Outing load_outing(const ScheduleFile& file, reckoning::Date date) {
  const OutingKeys keys = outing_keys(date);
  const ScheduleText text(file);
  Outing outing;
  outing.destination = text.read(schedule_section, keys.destination, "");
  outing.direction = text.read(schedule_section, keys.direction, reckoning::direction_texts[0]);
  return outing;
}

void apply_outing(ScheduleFile& file, reckoning::Date date, const Outing& outing) {
  const OutingKeys keys = outing_keys(date);
  // Only DE decides whether an entry exists.
  if (outing.destination.empty() && file.has_key(schedule_section, keys.destination)) {
    file.remove(schedule_section, keys.destination);
    file.remove(schedule_section, keys.direction);
    return;
  }
  // Both texts are checked first, so that a refused direction leaves no destination behind.
  storable_bytes(outing.destination);
  storable_bytes(outing.direction);
  file.write(schedule_section, keys.destination, outing.destination);
  file.write(schedule_section, keys.direction, outing.direction);
}

}  // namespace sorahemi::schedule
