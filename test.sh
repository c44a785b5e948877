#!/bin/bash
# Installs what is missing, builds both programs and every test, and runs the
# whole test suite. Exit code 0 only when every test passed.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps
source tools/wine-env

cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake >/dev/null
cmake --build build -j "$(nproc)"

[ -n "${DISPLAY:-}" ] || start_private_display
ensure_wine_prefix
# One wineserver for the whole run instead of one per test program; it ends
# by itself a little while after the last program.
wineserver --persistent=20 2>/dev/null || true

ctest --test-dir build --output-on-failure -j "$(nproc)"
