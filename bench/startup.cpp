// Start-up and memory of a program: from exec to its first painted window, and its peak
// resident memory by then. Prints the medians of the runs: "<nanoseconds> <kilobytes>".
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long monotonic_ns() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

template <class T>
T median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup RUNS PROGRAM [ARGS...]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  setenv("SORAHEMI_REPORT_FIRST_PAINT", "1", 1);
  std::vector<long long> times;
  std::vector<long> peaks;
  for (int run = 0; run < runs; ++run) {
    int out[2];
    if (pipe(out) != 0) return 1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t child = 0;
    const long long started = monotonic_ns();
    if (posix_spawn(&child, argv[2], &actions, nullptr, argv + 2, environ) != 0) return 1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char line[64] = {};
    const ssize_t length = read(out[0], line, sizeof line - 1);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (length <= 0) {
      std::fprintf(stderr, "startup: %s reported no paint\n", argv[2]);
      return 1;
    }
    times.push_back(std::atoll(line) - started);
    peaks.push_back(usage.ru_maxrss);
  }
  std::printf("%lld %ld\n", median(times), median(peaks));
  return 0;
}
