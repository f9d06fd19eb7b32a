#pragma once

#include <Qt>

namespace sorahemi::ui {

// A window of fixed size whose title bar has the system menu, minimise and close, and no
// maximise.
inline constexpr Qt::WindowFlags fixed_window_flags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

}  // namespace sorahemi::ui
