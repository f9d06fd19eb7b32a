// The plain read-modify-write of a profile file, without a lock and without an atomic
// replacement: what the reliability test measures the schedule file's own writes against.
#include <fstream>
#include <string>

#include "schedule/cp932.h"
#include "schedule/durable_file.h"
#include "schedule/profile.h"

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  namespace schedule = sorahemi::schedule;
  const std::string path = argv[1];
  for (int key = 2; key <= 3; ++key) {
    const auto text = schedule::read_file(path, schedule::system_file_system());
    const std::string updated = schedule::profile::with_value(
        text ? text->view() : std::string_view(), "Schedule", schedule::cp932::encode(argv[key]),
        schedule::cp932::encode(argv[4]));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << updated;
  }
  return 0;
}
