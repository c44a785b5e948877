#!/bin/bash
# Installs what is missing, builds both programs and every test, and runs the
# whole test suite. Exit code 0 only when every test passed.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps
source tools/wine-env

cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake >/dev/null
cmake --build build -j "$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
  start_private_display
  ensure_wine_prefix
  # One wineserver for the whole run instead of one per test program. It goes
  # with the private display: a server left on a dead display would hold up
  # the next run.
  wineserver --persistent 2>/dev/null || true
  trap 'wineserver --kill 2>/dev/null; kill $xvfb_pid 2>/dev/null' EXIT
else
  ensure_wine_prefix
fi
# Start the Wine session (services, desktop) once, before the test programs
# start side by side.
wine cmd /c exit >/dev/null 2>&1

ctest --test-dir build --output-on-failure -j "$(nproc)"
