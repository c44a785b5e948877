#!/bin/bash
# A set-up step that fails names itself with the end of what it printed, and
# the command fails: apt that reaches no archive, npm that reaches no registry.
set -uo pipefail
tools=$1
failures=0

expect() { # expect NAME OUTPUT STATUS WANTED-TEXT...
  local name=$1 out=$2 status=$3 text
  shift 3
  if [ "$status" = 0 ]; then
    echo "FAIL $name: exit code 0"
    failures=$((failures + 1))
    return
  fi
  for text in "$@"; do
    case $out in
      *"$text"*) ;;
      *) echo "FAIL $name: [$text] missing from:"; echo "$out"
         failures=$((failures + 1)); return ;;
    esac
  done
  echo "ok   $name"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy of the tools folder without node_modules, so that npm has to install.
mkdir -p "$work/tools" "$work/bin"
cp "$tools"/{install-deps,runner-env,package.json,package-lock.json} "$work/tools/"

# Stand-ins for the package tools: every package counts as installed unless
# MISSING names one, and apt-get fails as it does without a network.
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
[ "$3" = "${MISSING:-}" ] && exit 1
echo "install ok installed"
STUB
cat >"$work/bin/dpkg" <<'STUB'
#!/bin/sh
echo i386
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "Reading package lists..."
echo "E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/InRelease  Could not resolve 'deb.debian.org'" >&2
exit 100
STUB
chmod +x "$work/bin"/*
run() { env PATH="$work/bin:$PATH" "$@" bash "$work/tools/install-deps" vm 2>&1; }

out=$(run MISSING=qemu-system-x86)
expect "apt without an archive" "$out" $? \
  "install-deps: apt-get update failed (exit code 100)" "Could not resolve 'deb.debian.org'"

# A registry nobody listens on, and an empty cache so npm cannot do without it.
out=$(run npm_config_registry=http://127.0.0.1:9/ npm_config_cache="$work/npm-cache" \
          npm_config_fetch_retries=0)
expect "npm without a registry" "$out" $? \
  "install-deps: npm ci failed" "ECONNREFUSED"

[ $failures = 0 ] && echo "all passed" || echo "$failures failed"
[ $failures = 0 ]
