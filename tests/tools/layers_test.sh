#!/bin/bash
# The layer check passes on this tree and catches a file put into the wrong
# layer, an include without its folder and a folder that is no layer.
set -uo pipefail
tools=$1 source_root=$2
failures=0
expect() { # expect NAME STATUS OUTPUT_PATTERN -- command...
  local name=$1 status=$2 pattern=$3
  shift 4
  local out rc
  out=$("$@" 2>&1); rc=$?
  if [ $rc != "$status" ] || ! grep -q -- "$pattern" <<<"$out"; then
    echo "FAIL $name: exit $rc, output:"; echo "$out"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

expect "this tree keeps to the layers" 0 "every include keeps to the layers" -- \
  "$tools/check-layers" "$source_root"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
make_tree() {
  rm -rf "${tree:?}"/*
  mkdir -p "$tree"/grapher/{framework/core,framework/windows,compiler,scene,skin,app} "$tree"/quiz/{runtime,authoring,delivery}
  echo '#include "framework/core/Classes.h"' >"$tree/grapher/compiler/KCompiler.cpp"
  echo '#include "compiler/KCompiler.h"' >"$tree/grapher/app/MainU.cpp"
  echo '#include "runtime/FileIo.h"' >"$tree/quiz/delivery/frmTTTN.cpp"
}
make_tree
expect "a tree that keeps to the layers" 0 "keeps to the layers" -- "$tools/check-layers" "$tree"

make_tree
echo '#include "skin/KVForm.h"' >"$tree/grapher/framework/windows/Controls.cpp"
expect "the framework including a skin" 1 \
  'grapher/framework/windows/Controls.cpp: includes "skin/KVForm.h"' -- "$tools/check-layers" "$tree"

make_tree
mv "$tree/grapher/app/MainU.cpp" "$tree/grapher/scene/MainU.cpp"
expect "an app file moved into the scene" 1 'grapher/scene/MainU.cpp: includes "compiler/KCompiler.h"' -- \
  "$tools/check-layers" "$tree"

make_tree
echo '#include "authoring/mdlMain.h"' >"$tree/quiz/runtime/FileIo.cpp"
expect "the quiz runtime including authoring" 1 'quiz/runtime/FileIo.cpp: includes "authoring/mdlMain.h"' -- \
  "$tools/check-layers" "$tree"

make_tree
echo '#include "Classes.h"' >"$tree/grapher/framework/core/Streams.cpp"
expect "an include without its folder" 1 'includes "Classes.h"' -- "$tools/check-layers" "$tree"

make_tree
mkdir -p "$tree/grapher/extras" && echo '' >"$tree/grapher/extras/X.cpp"
expect "a folder that is no layer" 1 'grapher/extras: a source folder that is no layer' -- \
  "$tools/check-layers" "$tree"

[ $failures = 0 ] && echo "all passed" || echo "$failures failed"
[ $failures = 0 ]
