#include "schedule/outing.h"

#include "reckoning/tenichi.h"

namespace sorahemi::schedule {

OutingKeys outing_keys(reckoning::Date date) {
  // yyyymmdd, then DE or DI; every page asks for these, so no formatted printing.
  std::string key = "00000000DE";
  auto put = [&key](std::size_t end, unsigned value, int digits) {
    for (int i = 1; i <= digits; ++i, value /= 10)
      key[end - i] = static_cast<char>('0' + value % 10);
  };
  put(4, static_cast<unsigned>(static_cast<int>(date.year())), 4);
  put(6, static_cast<unsigned>(date.month()), 2);
  put(8, static_cast<unsigned>(date.day()), 2);
  OutingKeys keys{key, key};
  keys.direction[9] = 'I';
  return keys;
}

Outing load_outing(const ScheduleFile& file, reckoning::Date date) {
  const OutingKeys keys = outing_keys(date);
  Outing outing;
  outing.destination = file.read(schedule_section, keys.destination, "");
  outing.direction = file.read(schedule_section, keys.direction, reckoning::direction_texts[0]);
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
