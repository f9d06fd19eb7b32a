#!/usr/bin/env bash
# The install: one self-contained folder whose desktop files validate.
set -uo pipefail
build="$1"
prefix="$(mktemp -d)/ソラヘミ install"  # a folder name with a space and kanji
trap 'rm -rf "$(dirname "$prefix")"' EXIT
passed=0
failed=0
check() {
  if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); printf 'FAILED %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in sorahemi sorahemi-cli help/help.pdf share/applications/sorahemi.desktop \
  share/metainfo/org.example.sorahemi.metainfo.xml share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/sorahemi.png; do
  check "installed: $file" yes "$([ -f "$prefix/$file" ] && echo yes || echo no)"
done
check "the help is a PDF" "%PDF" "$(head -c 4 "$prefix/help/help.pdf")"
desktop="$prefix/share/applications/sorahemi.desktop"
check "the desktop entry validates" "" "$(desktop-file-validate "$desktop" 2>&1)"
check "the desktop entry starts the installed program" "Exec=\"$prefix/sorahemi\"" "$(grep '^Exec=' "$desktop")"
check "in its own folder, where help/help.pdf resolves" "Path=$prefix" "$(grep '^Path=' "$desktop")"
metainfo="$prefix/share/metainfo/org.example.sorahemi.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >/dev/null 2>&1
check "the AppStream metadata validates" 0 $?
check "the metadata's release is the program's version" 1 "$(grep -c '<release version="2.01"' "$metainfo")"
check "the installed CLI runs from its folder" "2004-05-03" "$("$prefix/sorahemi-cli" page --tsv 2004-05-03 | cut -f1)"

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
