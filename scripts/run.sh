#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# The desktop program is switched on explicitly, so a build folder configured
# without it earlier cannot silently leave it out.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN_BUILD_UI=ON -DZARN_SANITIZE=OFF \
  -DZARN_WERROR=ON
cmake --build build -j "$(nproc)"

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec build/ui/zarn "$@"
fi
echo "No display found: starting the program under a virtual X server (xvfb-run)."
exec xvfb-run -a build/ui/zarn "$@"
