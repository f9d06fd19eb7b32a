// The daily page and the apply against their floors: reading the file twice, and two durable
// replacements of a file of the same size.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "schedule/daily_page.h"
#include "schedule/outing.h"

namespace {

namespace fs = std::filesystem;
using sorahemi::reckoning::Date;
namespace schedule = sorahemi::schedule;

Date nth_date(int serial) {
  return Date{std::chrono::sys_days{std::chrono::year{1970} / 1 / 1} + std::chrono::days{serial}};
}

// A schedule file of daily outings, in the folder the benchmark works in.
fs::path make_file(int entries) {
  const fs::path folder = fs::temp_directory_path() / ("sorahemi-bench-" + std::to_string(entries));
  fs::create_directories(folder);
  const fs::path path = folder / "sorahemi.ini";
  std::string text = "[Schedule]\r\n";
  for (int serial = 0; serial < entries; ++serial) {
    const auto keys = schedule::outing_keys(nth_date(serial));
    text += keys.destination + "=\x8b\x9e\x93\x73\r\n" + keys.direction +
            "=\x89\x4b\x81\x69\x93\x8c\x81\x6a\r\n";
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path;
}

const fs::path& small_file() {
  static const fs::path path = make_file(100);
  return path;
}
const fs::path& large_file() {
  static const fs::path path = make_file(20'000);
  return path;
}

std::string read_whole(const fs::path& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  std::string bytes(static_cast<std::size_t>(fs::file_size(path)), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t count = read(fd, bytes.data() + filled, bytes.size() - filled);
    if (count <= 0) break;
    filled += static_cast<std::size_t>(count);
  }
  close(fd);
  return bytes;
}

void durable_replace(const fs::path& path, const std::string& bytes) {
  const fs::path temporary = path.string() + ".bench";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  benchmark::DoNotOptimize(write(fd, bytes.data(), bytes.size()));
  fsync(fd);
  close(fd);
  rename(temporary.c_str(), path.c_str());
  const int folder = open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  fsync(folder);
  close(folder);
}

// The page of the file's last date: the entry a reader reaches last.
void page(benchmark::State& state, const fs::path& path, int entries) {
  const Date date = nth_date(entries - 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(schedule::compose_daily_page(date, schedule::ScheduleFile(path)));
  }
}

void read_twice(benchmark::State& state, const fs::path& path) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(read_whole(path));
    benchmark::DoNotOptimize(read_whole(path));
  }
}

void BM_page_small(benchmark::State& state) { page(state, small_file(), 100); }
void BM_page_small_floor(benchmark::State& state) { read_twice(state, small_file()); }
void BM_page_large(benchmark::State& state) { page(state, large_file(), 20'000); }
void BM_page_large_floor(benchmark::State& state) { read_twice(state, large_file()); }

// The apply and its floor take turns, in alternating order, in every iteration of both
// benchmarks, so that each meets the disk in the same state; each benchmark times its own part.
void apply_beside_floor(benchmark::State& state, bool timing_apply) {
  using Clock = std::chrono::steady_clock;
  schedule::ScheduleFile file(large_file());
  const fs::path floor_path = large_file().parent_path() / "floor.ini";
  const std::string bytes = read_whole(large_file());
  static int serial = 100'000;
  bool apply_first = true;
  for (auto _ : state) {
    Clock::duration apply_time{};
    Clock::duration floor_time{};
    for (const bool applying : {apply_first, !apply_first}) {
      const auto start = Clock::now();
      if (applying) {
        schedule::apply_outing(file, nth_date(serial++), {"京都", "卯（東）"});
      } else {
        durable_replace(floor_path, bytes);
        durable_replace(floor_path, bytes);
      }
      (applying ? apply_time : floor_time) = Clock::now() - start;
    }
    apply_first = !apply_first;
    const auto timed = timing_apply ? apply_time : floor_time;
    state.SetIterationTime(std::chrono::duration<double>(timed).count());
  }
}

void BM_apply(benchmark::State& state) { apply_beside_floor(state, true); }
void BM_apply_floor(benchmark::State& state) { apply_beside_floor(state, false); }

BENCHMARK(BM_page_small);
BENCHMARK(BM_page_small_floor);
BENCHMARK(BM_page_large);
BENCHMARK(BM_page_large_floor);
BENCHMARK(BM_apply)->UseManualTime()->Iterations(10);
BENCHMARK(BM_apply_floor)->UseManualTime()->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
