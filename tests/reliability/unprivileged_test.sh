#!/usr/bin/env bash
# A folder the user cannot write: the write fails with the message and no file appears. As root,
# permission bits stop nothing, so the program runs as the unprivileged user nobody.
set -uo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$1" "$work/sorahemi-cli"
mkdir -m 755 "$work/closed"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(runuser -u nobody --)
else
  chmod 555 "$work/closed"
fi
ini="$work/closed/sorahemi.ini"
message="$("${as_user[@]}" "$work/sorahemi-cli" apply --schedule "$ini" 2004-05-03 京都 2>&1)"
status=$?
passed=0
failed=0
check() {
  if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); printf 'FAILED %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}
check "status 1" 1 "$status"
check "the error box's message" "$ini に書き込めません." "$message"
check "no file appears" "" "$(ls -A "$work/closed")"
echo "unprivileged: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
