#pragma once

#include <QWidget>
#include <functional>

namespace sorahemi::ui {

// The application title, which the message boxes carry.
inline constexpr const char* application_title = "ソラヘミ";

// Runs a handler; an error it raises ends it and is shown in the error box (titled ソラヘミ, the
// error icon, one OK, the message with a full stop), after which the event loop carries on. No
// exception crosses Qt's event loop.
void run_guarded(QWidget* window, const std::function<void()>& handler);

// A slot that runs the window's handler through run_guarded.
template <class Window>
auto guarded(Window* window, void (Window::*handler)()) {
  return [window, handler] { run_guarded(window, [window, handler] { (window->*handler)(); }); };
}

}  // namespace sorahemi::ui
