# Sourced by the end-to-end tests: a real X server (Xvfb) with a window manager (openbox), and
# helpers to find and close windows as a user would.
desktop_start() {
  local fifo
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  desktop_xvfb=$!
  read -r display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
  openbox >/dev/null 2>&1 &
  desktop_wm=$!
  # Ready once the window manager has claimed the screen.
  for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "no window manager came up" >&2
  return 1
}

desktop_stop() {
  kill "$desktop_wm" "$desktop_xvfb" 2>/dev/null
  wait "$desktop_wm" "$desktop_xvfb" 2>/dev/null
}

# The ids of the windows on screen with this exact title, read from _NET_WM_NAME (UTF-8), which
# does not depend on the program's locale.
desktop_windows() {
  wmctrl -l | awk -v title="$1" '{ id = $1; $1 = $2 = $3 = ""; sub(/^ +/, "") } $0 == title { print id }'
}

# The id of a window with this title other than the ones given, waiting up to ten seconds.
desktop_window() {
  local title="$1" id
  shift
  for _ in $(seq 100); do
    for id in $(desktop_windows "$title"); do
      [[ " $* " == *" $id "* ]] || { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Gives a window the focus, and a moment to take it, as a user's eyes do.
desktop_focus() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1
  sleep 0.5
}

# Presses keys in a window.
desktop_keys() {
  desktop_focus "$1"
  shift
  xdotool key --delay 50 "$@"
}

# Types text into a window; xdotool maps each character onto a spare key for the moment.
desktop_type() {
  desktop_focus "$1"
  LC_ALL=C.UTF-8 xdotool type --delay 100 "$2"  # xdotool reads its text in the locale's encoding
}

# Waits up to ten seconds for a child process to end; its exit status goes to $exit_status.
desktop_wait_exit() {
  exit_status="still running"
  for _ in $(seq 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      exit_status=$?
      return 0
    fi
    sleep 0.1
  done
}
