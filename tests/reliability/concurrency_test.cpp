// Several running copies write one schedule file at once; none loses another's entries.
#include <gtest/gtest.h>

#include <cstdio>

#include "processes.h"
#include "schedule/outing.h"
#include "tests/schedule/temp_folder.h"

namespace sorahemi::reliability {
namespace {

constexpr int writers = 4;
constexpr int applies_each = 250;

std::string iso(int serial) {
  const auto day =
      std::chrono::sys_days{std::chrono::year{2000} / 1 / 1} + std::chrono::days{serial};
  const std::chrono::year_month_day date{day};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

// Each writer process applies its own dates one after another; all writers run at once.
int entries_kept(const std::string& program, const std::filesystem::path& ini, bool is_cli) {
  std::vector<pid_t> children;
  for (int writer = 0; writer < writers; ++writer) {
    const pid_t child = fork();
    if (child == 0) {
      for (int i = 0; i < applies_each; ++i) {
        const int serial = writer * applies_each + i;
        const std::string date = iso(serial);
        if (is_cli) {
          run({program, "apply", "--schedule", ini.string(), date, "w" + std::to_string(serial),
               "子（北）"});
        } else {
          std::string digits = date.substr(0, 4) + date.substr(5, 2) + date.substr(8, 2);
          run({program, ini.string(), digits + "DE", digits + "DI", "w" + std::to_string(serial)});
        }
      }
      _exit(0);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) wait_for(child);
  const schedule::ScheduleFile file(ini);
  const schedule::ScheduleSnapshot snapshot(file, schedule::schedule_section);
  int kept = 0;
  for (int serial = 0; serial < writers * applies_each; ++serial) {
    const auto day =
        std::chrono::sys_days{std::chrono::year{2000} / 1 / 1} + std::chrono::days{serial};
    const auto keys = schedule::outing_keys(reckoning::Date{day});
    if (snapshot.read(keys.destination, "") == "w" + std::to_string(serial)) ++kept;
  }
  return kept;
}

TEST(Concurrency, FourCopiesApplyingAtOnceKeepEveryEntry) {
  schedule::testing::TempFolder ours;
  const int kept = entries_kept(cli_path(), ours / "sorahemi.ini", true);
  schedule::testing::TempFolder plain;
  const int kept_without_lock = entries_kept(unlocked_apply_path(), plain / "sorahemi.ini", false);
  std::printf(
      "entries kept of %d: %d with the schedule file's lock, %d with a plain read-modify-write\n",
      writers * applies_each, kept, kept_without_lock);
  EXPECT_EQ(kept, writers * applies_each);
  EXPECT_EQ(ours.names(), std::set<std::string>{"sorahemi.ini"}) << "stray temporary or lock files";
}

}  // namespace
}  // namespace sorahemi::reliability
