#include "ui/surroundings.h"

#include <QDesktopServices>

#include "schedule/schedule_file.h"

namespace sorahemi::ui {

Surroundings program_surroundings() {
  return {schedule::schedule_path_for(schedule::running_program()), reckoning::today,
          [](const QUrl& url) { QDesktopServices::openUrl(url); }};
}

}  // namespace sorahemi::ui
