#!/bin/bash
# Installs what is missing, builds both programs and every test, and runs the
# whole test suite (arguments go to ctest: ./test.sh -R quiz). Exit code 0
# only when every test passed. Where this kernel cannot run 32-bit programs,
# the Windows programs run in an emulated machine.
set -euo pipefail
cd "$(dirname "$0")"
started=$(date +%s)
source tools/runner-env
kx_choose_runner
kx_say_runner test.sh
tools/install-deps "$kx_runner"
kx_require_runner test.sh
# Every tools/wine-run that ctest starts takes the same path without probing.
export KX_RUNNER_CHOSEN=$kx_runner KX_RUNNER_WHY=$kx_runner_why

emulated=OFF
resources=()
if [ $kx_runner = vm ]; then
  emulated=ON
  repo=$PWD
  source tools/vm/vm-env
  vm_image_start
fi
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake -DKX_EMULATED="$emulated" >/dev/null
cmake --build build -j "$(nproc)"

if [ $kx_runner = vm ]; then
  vm_image_wait test.sh
  trap vm_stop EXIT
  trap 'exit 130' INT TERM
  # Windowed test programs run side by side on displays of their own, up to
  # one per processor.
  cpus=$(nproc)
  export KX_VM_DISPLAYS=$((cpus < 4 ? cpus : 4))
  vm_boot
  resources=(--resource-spec-file "$PWD/build/vm-displays.json")
  {
    printf '{"version": {"major": 1, "minor": 0}, "local": [{"display": ['
    for n in $(seq 0 $((KX_VM_DISPLAYS - 1))); do
      printf '%s{"id": "%d", "slots": 1}' "$([ $n = 0 ] || echo ,)" "$n"
    done
    printf ']}]}\n'
  } >build/vm-displays.json
else
  source tools/wine-env
  if [ -z "${DISPLAY:-}" ]; then
    start_private_display
    ensure_wine_prefix
    # One wineserver for the whole run instead of one per test program. It
    # goes with the private display: a server left on a dead display would
    # hold up the next run.
    wineserver --persistent 2>/dev/null || true
    trap 'wineserver --kill 2>/dev/null; kill $xvfb_pid 2>/dev/null' EXIT
  else
    ensure_wine_prefix
  fi
  # Start the Wine session (services, desktop) once, before the test
  # programs start side by side.
  wine cmd /c exit >/dev/null 2>&1
fi

# ctest's report goes through a file so that the run can close with its
# counts after the wall time (build and image included).
report=$(mktemp)
status=0
ctest --test-dir build --output-on-failure -j "$(nproc)" "${resources[@]}" "$@" | tee "$report" || status=$?
elapsed=$(($(date +%s) - started))
printf 'test.sh: wall time %d min %02d s on %s cores\n' $((elapsed / 60)) $((elapsed % 60)) "$(nproc)"
# "100% tests passed, 0 tests failed out of 77"
if read -r failed total < <(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$report"); then
  echo "test.sh: $((total - failed)) passed, $failed failed"
fi
rm -f "$report"
exit "$status"
