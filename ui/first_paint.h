#pragma once

#include <QWidget>

namespace sorahemi::ui {

// For the start-up benchmark: with SORAHEMI_REPORT_FIRST_PAINT set, the window's first paint
// prints the monotonic clock in nanoseconds and ends the program. Without it, nothing happens.
void report_first_paint_if_asked(QWidget* window);

}  // namespace sorahemi::ui
