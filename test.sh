#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$top/scripts/setup"
sorahemi_build "$top"
cd "$top/build"
ctest --output-on-failure -j "$(nproc)" "$@"
