#include "reckoning/tenichi.h"

#include <numeric>

namespace sorahemi::reckoning {
namespace {

struct Run {
  int days;
  std::string_view text;
};

// Ten'ichi comes down on 己酉 (index 45) into the northeast and moves clockwise, six days in
// each diagonal and five in each cardinal direction, then stays sixteen days in heaven.
constexpr KanshiIndex descent = 45;
constexpr std::array<Run, 9> cycle{{
    {6, direction_texts[1]},
    {5, direction_texts[2]},
    {6, direction_texts[3]},
    {5, direction_texts[4]},
    {6, direction_texts[5]},
    {5, direction_texts[6]},
    {6, direction_texts[7]},
    {5, direction_texts[0]},
    {16, in_heaven},
}};

static_assert(std::accumulate(cycle.begin(), cycle.end(), 0,
                              [](int sum, const Run& run) { return sum + run.days; }) == 60);

}  // namespace

std::string_view tenichi_direction(KanshiIndex index) {
  int days_since_descent = (index - descent + 60) % 60;
  for (const Run& run : cycle) {
    if (days_since_descent < run.days) return run.text;
    days_since_descent -= run.days;
  }
  return in_heaven;  // unreachable for 0 to 59: the runs cover the cycle
}

}  // namespace sorahemi::reckoning
