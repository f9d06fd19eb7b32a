#!/usr/bin/env bash
# sorahemi-cli's interface as scripts use it: output, the schedule file's bytes, exit codes.
set -uo pipefail
cli_built="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A copy of its own, so that its default schedule file is $work/sorahemi.ini.
cp "$cli_built" "$work/sorahemi-cli"
cli="$work/sorahemi-cli"
ini="$work/sorahemi.ini"
passed=0
failed=0

check() {  # name expected actual
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}

status_of() { "$@" >/dev/null 2>&1; echo $?; }

tab=$'\t'
check "tsv page of the worked example" \
  "2004-05-03${tab}2004(平成16)年5月3日(月)${tab}壬午(みずのえうま)${tab}乾（北西）${tab}なし${tab}" \
  "$("$cli" page --tsv 2004-05-03)"

check "apply writes the default file beside the program" 0 "$(status_of "$cli" apply 2004-05-03 京都 卯（東）)"
check "apply keeps a stored direction when DIR is left out" 0 "$(status_of "$cli" apply 2004-05-03 大阪)"
check "apply without a stored direction takes 子（北）" 0 "$(status_of "$cli" apply 2004-05-05 実家)"
check "file bytes in code page 932 with CR LF" \
  "$(printf '[Schedule]\r\n20040503DE=\x91\xe5\x8d\xe3\r\n20040503DI=\x89\x4b\x81\x69\x93\x8c\x81\x6a\r\n20040505DE=\x8e\xc0\x89\xc6\r\n20040505DI=\x8e\x71\x81\x69\x96\x6b\x81\x6a\r\n' | od -An -tx1)" \
  "$(od -An -tx1 "$ini")"

check "readable page" "2004(平成16)年5月3日(月)
壬午(みずのえうま)
禁忌の方角　天一：乾（北西）
外出予定　　大阪　卯（東）" "$("$cli" page 2004-05-03)"

check "today when no date is given" "$(date +%F)" "$("$cli" page --tsv | cut -f1)"

other="$work/other.ini"
"$cli" apply --schedule "$other" 2004-05-04 'a\b	c' '' >/dev/null
check "--schedule and escaped fields" "2004-05-04${tab}2004(平成16)年5月4日(火)${tab}癸未(みずのとひつじ)${tab}乾（北西）${tab}a\\\\b\\tc${tab}" \
  "$("$cli" page --schedule "$other" --tsv 2004-05-04)"
"$cli" apply --schedule "$other" 2004-05-04 '' >/dev/null
check "empty destination deletes the entry" "$(printf '[Schedule]\r\n')" "$(cat "$other")"

check "range prints every date in order" "366 2024-01-01 2024-12-31" \
  "$("$cli" page --tsv --from 2024-01-01 --to 2024-12-31 | awk -F'\t' 'NR==1{f=$1} {l=$1} END{print NR, f, l}')"
check "range reads the file like single pages" "$("$cli" page --tsv 2004-05-02 2004-05-03 2004-05-04 2004-05-05)" \
  "$("$cli" page --tsv --from 2004-05-02 --to 2004-05-04; "$cli" page --tsv --from 2004-05-05 --to 2004-05-05)"

touch "$work/plain"  # a parent that is a file: no write, even as root
check "unwritable file: status 1" 1 "$(status_of "$cli" apply --schedule "$work/plain/x.ini" 2004-05-03 x)"
check "unwritable file: the error box's message" "$work/plain/x.ini に書き込めません." \
  "$("$cli" apply --schedule "$work/plain/x.ini" 2004-05-03 x 2>&1)"
check "unstorable character: status 1" 1 "$(status_of "$cli" apply --schedule "$other" 2004-05-03 😀)"

for bad in 2004-02-30 0000-12-31 10000-01-01 2004-5-3 yesterday; do
  check "bad date $bad: status 2" 2 "$(status_of "$cli" page "$bad")"
done
check "bad date is named" "sorahemi-cli: bad date '2004-02-30': expected YYYY-MM-DD from 0001-01-01 to 9999-12-31" \
  "$("$cli" page 2004-02-30 2>&1)"
check "no command: status 2" 2 "$(status_of "$cli")"
check "unknown option: status 2" 2 "$(status_of "$cli" page --nope)"
check "--from without --to: status 2" 2 "$(status_of "$cli" page --tsv --from 2004-01-01)"
check "--from without --tsv: status 2" 2 "$(status_of "$cli" page --from 2004-01-01 --to 2004-01-02)"
check "--to before --from: status 2" 2 "$(status_of "$cli" page --tsv --from 2004-01-02 --to 2004-01-01)"
check "apply without DEST: status 2" 2 "$(status_of "$cli" apply 2004-05-03)"
check "--help: status 0" 0 "$(status_of "$cli" --help)"

echo "cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
