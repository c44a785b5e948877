#!/bin/bash
# How the scripts choose between running programs here and in the emulated
# machine, with a fake probe and with the choice forced.
set -uo pipefail
tools=$1
failures=0

check() { # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

choose() { # choose ENV... -> "runner|why|status"
  env -u KX_RUNNER -u KX_PROBE "$@" bash -c '
    source "$0/runner-env"
    kx_choose_runner 2>/dev/null; status=$?
    echo "${kx_runner:-}|${kx_runner_why:-}|$status"' "$tools"
}

check "probe passes" "native|this machine runs 32-bit programs|0" "$(choose KX_PROBE=true)"
check "probe fails" "vm|this kernel cannot run 32-bit programs (the probe 'exit 1' failed)|0" \
  "$(choose KX_PROBE='exit 1')"
check "forced native over a failing probe" "native|forced by KX_RUNNER=native|0" \
  "$(choose KX_RUNNER=native KX_PROBE=false)"
check "forced vm over a passing probe" "vm|forced by KX_RUNNER=vm|0" \
  "$(choose KX_RUNNER=vm KX_PROBE=true)"
check "unknown choice refused" "||2" "$(choose KX_RUNNER=wine KX_PROBE=true)"
message=$(env KX_RUNNER=wine bash -c 'source "$0/runner-env"; kx_choose_runner' "$tools" 2>&1)
check "unknown choice named" "KX_RUNNER must be 'native' or 'vm', not 'wine'" "$message"

# The real probe gives a verdict, and a reason when it fails.
real=$(choose)
case $real in
  "native|this machine runs 32-bit programs|0") check "real probe" ok ok ;;
  "vm|this kernel cannot run 32-bit programs ("?*")|0") check "real probe" ok ok ;;
  *) check "real probe" "a verdict" "$real" ;;
esac

# One line says which path was taken and why.
said=$(env -u KX_RUNNER KX_PROBE=false bash -c 'source "$0/runner-env"; kx_choose_runner; kx_say_runner test' "$tools" 2>&1)
check "one line said" "test: running Windows programs under Wine in an emulated machine: this kernel cannot run 32-bit programs (the probe 'false' failed)" "$said"

# Without what the chosen path needs, wine-run names the cause and fails.
empty=$(mktemp -d)
trap 'rm -rf "$empty"' EXIT
ln -s "$(command -v bash)" "$empty/bash"
ln -s "$(command -v dirname)" "$empty/dirname"
for runner in native vm; do
  out=$(env -i PATH="$empty" KX_RUNNER=$runner "$empty/bash" "$tools/wine-run" x.exe 2>&1)
  status=$?
  check "wine-run without its $runner tools fails" 1 "$status"
  case $runner in
    native) wanted="Wine is not installed" ;;
    vm) wanted="the emulator qemu-system-x86_64 is not installed" ;;
  esac
  case $out in
    *"$wanted"*) check "wine-run names what $runner lacks" ok ok ;;
    *) check "wine-run names what $runner lacks" "$wanted" "$out" ;;
  esac
done

[ $failures = 0 ] && echo "all passed" || echo "$failures failed"
[ $failures = 0 ]
