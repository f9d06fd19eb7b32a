#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$top/scripts/setup"
sorahemi_build "$top"
exec "$top/build/bin/sorahemi"
