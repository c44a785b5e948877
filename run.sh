#!/bin/bash
# Starts one of the programs under Wine: ./run.sh [grapher|quiz] [arguments]
# Builds first when needed. Without a display it starts a private X server,
# waits for the main window, saves a screenshot, prints its path and closes
# the program again.
set -euo pipefail
cd "$(dirname "$0")"

program=grapher
case "${1:-}" in
  grapher|quiz) program=$1; shift ;;
esac
case $program in
  grapher) exe=Kurvex.exe; caption="Plotvane v2.21" ;;
  quiz)    exe=Tessaro.exe; caption="Tessaro" ;;
esac

tools/install-deps
source tools/wine-env
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake >/dev/null
fi
cmake --build build -j "$(nproc)" --target "${exe%.exe}" >/dev/null

if [ -n "${DISPLAY:-}" ]; then
  ensure_wine_prefix
  exec wine "build/bin/$exe" "$@"
fi

start_private_display
ensure_wine_prefix
wine "build/bin/$exe" "$@" &
program_pid=$!

window=
for _ in $(seq 1 300); do
  window=$(xdotool search --onlyvisible --name "^${caption}\$" 2>/dev/null | head -n1) || true
  [ -n "$window" ] && break
  kill -0 $program_pid 2>/dev/null || { echo "run.sh: $exe ended before showing its window" >&2; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "run.sh: no window \"$caption\" appeared" >&2; kill $program_pid; exit 1; }

sleep 1   # let the first paint finish
mkdir -p build/screenshots
shot=$PWD/build/screenshots/${exe%.exe}.png
/usr/bin/import -window "$window" "$shot"
echo "$shot"

wine taskkill /IM "$exe" >/dev/null 2>&1 || true
wait $program_pid || true
# The private display goes now; so does the Wine session that used it.
wineserver --kill 2>/dev/null || true

