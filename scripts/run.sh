#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/regular-build.sh

bash scripts/install-deps.sh

configure_regular_build
cmake --build build -j "$(nproc)"

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec build/ui/zarn "$@"
fi
echo "No display found: starting the program under a virtual X server (xvfb-run)."
exec xvfb-run -a build/ui/zarn "$@"
