#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$top/scripts/setup"
sorahemi_build "$top"
# From its own folder, where the help document help/help.pdf resolves.
cd "$top/build/bin"
exec ./sorahemi
