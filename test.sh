#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite, the same suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a minute of fuzzing.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$top/scripts/setup"
sorahemi_build "$top"
(cd "$top/build" && ctest --output-on-failure -j "$(nproc)")

sanitized="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S "$top" -B "$top/build-asan" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$sanitized" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$top/build-asan" -j "$(nproc)"
(cd "$top/build-asan" &&
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS="suppressions=$top/tests/sanitizers/lsan.supp" \
    ctest --output-on-failure -j "$(nproc)")

"$top/scripts/fuzz" 60
