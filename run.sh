#!/bin/bash
# Starts one of the programs under Wine: ./run.sh [grapher|quiz] [arguments]
# Builds first when needed. Without a display it starts a private X server,
# waits for the main window, saves a screenshot, prints its path and closes
# the program again. Where this kernel cannot run 32-bit programs, the
# program runs in an emulated machine and a screenshot is saved.
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
shot=$PWD/build/screenshots/${exe%.exe}.png

source tools/runner-env
kx_choose_runner
kx_say_runner run.sh
tools/install-deps "$kx_runner"
kx_require_runner run.sh
if [ $kx_runner = vm ]; then
  repo=$PWD
  source tools/vm/vm-env
  vm_image_start
fi
if [ ! -f build/CMakeCache.txt ]; then
  kx_step run.sh "configuring the build (and building the libraries)" \
    cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake
fi
kx_step run.sh "building ${exe%.exe}" cmake --build build -j "$(nproc)" --target "${exe%.exe}"

if [ $kx_runner = vm ]; then
  vm_image_wait run.sh
  trap vm_stop EXIT
  trap 'exit 130' INT TERM
  if [ -n "${DISPLAY:-}" ]; then
    vm_show "build/bin/$exe" "$caption" "$@"
    exit
  fi
  vm_boot
  vm_job tools/screenshot-program "build/bin/$exe" "$caption" "$shot" "$@"
  exit
fi

source tools/wine-env
if [ -n "${DISPLAY:-}" ]; then
  ensure_wine_prefix
  exec wine "build/bin/$exe" "$@"
fi

start_private_display
ensure_wine_prefix
tools/screenshot-program "build/bin/$exe" "$caption" "$shot" "$@"
# The private display goes now; so does the Wine session that used it.
wineserver --kill 2>/dev/null || true
