#!/usr/bin/env bash
# The real program in a real X server: it opens its window, and closing the window as a user
# does ends it with status 0, having written nothing.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/desktop.sh"
work="$(mktemp -d)"
trap 'desktop_stop; rm -rf "$work"' EXIT
cp "$1" "$work/sorahemi"  # a copy of its own, so that its schedule file would be $work/sorahemi.ini
passed=0
failed=0
check() {
  if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); printf 'FAILED %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

desktop_start || exit 1
"$work/sorahemi" &
program=$!
window="$(desktop_window ソラヘミ)"
check "the main window appears" yes "$([ -n "$window" ] && echo yes || echo no)"
wmctrl -i -c "$window"
desktop_wait_exit "$program"
check "closing the window ends the program with status 0" 0 "$exit_status"
check "nothing was written" "" "$(ls "$work" | grep -v '^sorahemi$')"

echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
