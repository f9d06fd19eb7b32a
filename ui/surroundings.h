#pragma once

#include <QUrl>
#include <filesystem>
#include <functional>

#include "reckoning/date.h"

namespace sorahemi::ui {

// What the windows take from outside the program, so that tests can stand in for it.
struct Surroundings {
  std::filesystem::path schedule;             // the schedule file's full path
  std::function<reckoning::Date()> today;     // the system clock's local date
  std::function<void(const QUrl&)> open_url;  // the desktop's default application
};

// The running program's own: the schedule file beside it, the clock, the desktop.
Surroundings program_surroundings();

}  // namespace sorahemi::ui
