#!/usr/bin/env bash
# The real program in a real X server with a window manager, driven as a user drives it.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/desktop.sh"
work="$(mktemp -d)"
trap 'kill "${program:-}" 2>/dev/null; desktop_stop; rm -rf "$work"' EXIT
# A copy of its own, so that its schedule file is $work/sorahemi.ini.
cp "$1" "$work/sorahemi"
ini="$work/sorahemi.ini"
passed=0
failed=0
check() {
  if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); printf 'FAILED %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}
on_screen() { [ -n "$(desktop_windows "$1")" ] && echo shown || echo hidden; }

desktop_start || exit 1

# Start and close: status 0, nothing written.
"$work/sorahemi" &
program=$!
main="$(desktop_window ソラヘミ)"
check "the main window appears" shown "$([ -n "$main" ] && echo shown || echo hidden)"
wmctrl -i -c "$main"
desktop_wait_exit "$program"
check "closing the main window ends the program with status 0" 0 "$exit_status"
check "starting and closing writes nothing" "" "$(ls "$work" | grep -v '^sorahemi$')"

# An outing for today through the dialog: the reminder, typing, 適用, Cancel.
"$work/sorahemi" &
program=$!
main="$(desktop_window ソラヘミ)"
desktop_keys "$main" Tab Tab space  # from the date picker to 外出予定入力
reminder="$(desktop_window ソラヘミ "$main")"
check "the reminder comes over the main window" "shown shown" "$([ -n "$reminder" ] && echo shown) $(on_screen ソラヘミ)"
check "the dialog waits for the reminder" hidden "$(on_screen 外出予定入力)"
desktop_keys "$reminder" Return
dialog="$(desktop_window 外出予定入力)"
check "the dialog opens once the reminder is answered" shown "$(on_screen 外出予定入力)"
desktop_type "$dialog" 京都
desktop_keys "$dialog" Tab Tab Tab Tab Tab space Escape  # 適用, then Cancel
desktop_window ソラヘミ >/dev/null
check "leaving the dialog shows the main window again" "hidden" "$(on_screen 外出予定入力)"
today="$(date +%Y%m%d)"
check "the outing is in the file in code page 932 with CR LF" \
  "$(printf '[Schedule]\r\n%sDE=\x8b\x9e\x93\x73\r\n%sDI=\x8e\x71\x81\x69\x96\x6b\x81\x6a\r\n' "$today" "$today" | od -An -tx1)" \
  "$(od -An -tx1 "$ini" 2>/dev/null)"
wmctrl -i -c "$(desktop_window ソラヘミ)"
desktop_wait_exit "$program"
check "the program ends with status 0" 0 "$exit_status"

# The help item: a request for help/help.pdf in the current folder, through a stand-in for the
# desktop's opener that records what it is asked; a missing document gets no message of ours.
mkdir -p "$work/shims" "$work/elsewhere"
cat >"$work/shims/xdg-open" <<SHIM
#!/bin/sh
printf '%s\n' "\$*" >>"$work/requests"
exit 2
SHIM
chmod +x "$work/shims/xdg-open"
(cd "$work/elsewhere" && PATH="$work/shims:$PATH" exec "$work/sorahemi") &
program=$!
main="$(desktop_window ソラヘミ)"
desktop_keys "$main" alt+h h
for _ in $(seq 50); do [ -s "$work/requests" ] && break; sleep 0.1; done
check "the help item requests help/help.pdf from the current folder" \
  "file://$work/elsewhere/help/help.pdf" "$(cat "$work/requests" 2>/dev/null)"
sleep 1
check "a missing document brings no message of the program's" "$main" "$(desktop_windows ソラヘミ)"
wmctrl -i -c "$main"
desktop_wait_exit "$program"

echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
