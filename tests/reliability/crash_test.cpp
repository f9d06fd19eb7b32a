// A writer killed at any moment of an apply leaves the file whole.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "processes.h"
#include "schedule/outing.h"
#include "tests/schedule/temp_folder.h"

namespace sorahemi::reliability {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int base_entries = 10'000;
constexpr int trials = 100;

reckoning::Date nth_date(int serial) {
  return reckoning::Date{std::chrono::sys_days{std::chrono::year{1990} / 1 / 1} +
                         std::chrono::days{serial}};
}

std::string iso(reckoning::Date date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::string base_file() {
  std::string text = "[Schedule]\r\n";
  for (int serial = 0; serial < base_entries; ++serial) {
    const auto keys = schedule::outing_keys(nth_date(serial));
    text +=
        keys.destination + "=base" + std::to_string(serial) + "\r\n" + keys.direction + "=dir\r\n";
  }
  return text;
}

enum class State { none, destination_only, whole, torn };

State state_of(const schedule::ScheduleSnapshot& snapshot, int serial) {
  const auto keys = schedule::outing_keys(nth_date(serial));
  const std::string destination = snapshot.read(keys.destination, "-");
  const std::string direction = snapshot.read(keys.direction, "-");
  const std::string wanted = "trial" + std::to_string(serial);
  if (destination == "-" && direction == "-") return State::none;
  if (destination == wanted && direction == "-") return State::destination_only;
  if (destination == wanted && direction == "dir") return State::whole;
  return State::torn;
}

TEST(Crash, WriterKilledAtAnyMomentLeavesTheFileWhole) {
  schedule::testing::TempFolder folder;
  const auto ini = folder / "sorahemi.ini";
  schedule::testing::put_file(ini, base_file());
  auto apply = [&](int serial) {
    return spawn({cli_path(), "apply", "--schedule", ini.string(), iso(nth_date(serial)),
                  "trial" + std::to_string(serial), "dir"});
  };

  const auto started = Clock::now();
  ASSERT_EQ(wait_for(apply(base_entries)), 0);
  const auto full_apply = Clock::now() - started;
  std::mt19937 random(20261211);
  std::uniform_int_distribution<long> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(full_apply).count() * 3 / 2);

  std::vector<int> landed{base_entries};  // entries that must stay from now on
  int counts[4] = {0, 0, 0, 0};
  for (int trial = 1; trial <= trials; ++trial) {
    const int serial = base_entries + trial;
    const pid_t writer = apply(serial);
    usleep(static_cast<useconds_t>(moment(random)));
    kill(writer, SIGKILL);
    wait_for(writer);

    const std::string bytes = schedule::testing::file_bytes(ini);
    ASSERT_TRUE(bytes.size() > 12 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0)
        << "torn at trial " << trial;
    const schedule::ScheduleFile file(ini);
    const schedule::ScheduleSnapshot snapshot(file, schedule::schedule_section);
    for (int serial_before = 0; serial_before < base_entries; serial_before += 97) {
      ASSERT_EQ(snapshot.read(schedule::outing_keys(nth_date(serial_before)).destination, ""),
                "base" + std::to_string(serial_before));
    }
    for (const int kept : landed) ASSERT_NE(state_of(snapshot, kept), State::none) << kept;
    const State state = state_of(snapshot, serial);
    ASSERT_NE(state, State::torn) << "trial " << trial;
    ++counts[static_cast<int>(state)];
    if (state != State::none) landed.push_back(serial);
  }
  std::printf("%d killed applies: %d not at all, %d destination only, %d whole; never torn\n",
              trials, counts[0], counts[1], counts[2]);
  EXPECT_EQ(folder.names().count("sorahemi.ini"), 1u);
}

TEST(Crash, LockOfAKilledHolderIsTakenOver) {
  schedule::testing::TempFolder folder;
  const pid_t holder = fork();
  if (holder == 0) {
    const int fd = open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);
    flock(fd, LOCK_EX);
    pause();
    _exit(0);
  }
  usleep(100'000);  // the holder has the lock
  kill(holder, SIGKILL);
  wait_for(holder);
  const auto started = Clock::now();
  EXPECT_EQ(run({cli_path(), "apply", "--schedule", (folder / "sorahemi.ini").string(),
                 "2004-05-03", "京都"}),
            0);
  std::printf("apply after the holder was killed took %.1f ms\n",
              std::chrono::duration<double, std::milli>(Clock::now() - started).count());
}

}  // namespace
}  // namespace sorahemi::reliability
