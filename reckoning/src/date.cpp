#include "reckoning/date.h"

#include <ctime>

namespace sorahemi::reckoning {

Date today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return Date{std::chrono::year{local.tm_year + 1900},
              std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
              std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

}  // namespace sorahemi::reckoning
