#!/bin/bash
# The layer check passes on this tree and catches a file put into the wrong
# layer (between the grapher's layers and between the layers inside app and
# skin), an include without its folder and a folder that is no layer.
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
  mkdir -p "$tree"/grapher/{framework/core,framework/windows,compiler,scene} \
    "$tree"/grapher/skin/{look,controls,frame} "$tree"/grapher/app/{model,plot,windows} \
    "$tree"/quiz/{runtime,authoring,delivery}
  echo '#include "framework/core/Classes.h"' >"$tree/grapher/compiler/KCompiler.cpp"
  echo '#include "compiler/KCompiler.h"' >"$tree/grapher/app/model/MainU_Funcs.cpp"
  echo '#include "app/model/MainU_Funcs.h"' >"$tree/grapher/app/plot/MainU_Curves2D.cpp"
  echo '#include "skin/frame/KVForm.h"' >"$tree/grapher/app/windows/MainU.cpp"
  echo '#include "skin/look/KVThemes.h"' >"$tree/grapher/skin/controls/KVButton.cpp"
  echo '#include "runtime/FileIo.h"' >"$tree/quiz/delivery/frmTTTN.cpp"
}
make_tree
expect "a tree that keeps to the layers" 0 "keeps to the layers" -- "$tools/check-layers" "$tree"

make_tree
echo '#include "skin/KVForm.h"' >"$tree/grapher/framework/windows/Controls.cpp"
expect "the framework including a skin" 1 \
  'grapher/framework/windows/Controls.cpp: includes "skin/KVForm.h"' -- "$tools/check-layers" "$tree"

make_tree
mv "$tree/grapher/app/model/MainU_Funcs.cpp" "$tree/grapher/scene/MainU_Funcs.cpp"
expect "an app file moved into the scene" 1 'grapher/scene/MainU_Funcs.cpp: includes "compiler/KCompiler.h"' -- \
  "$tools/check-layers" "$tree"

make_tree
mv "$tree/grapher/app/windows/MainU.cpp" "$tree/grapher/app/plot/MainU.cpp"
expect "a window file moved into the plot" 1 'grapher/app/plot/MainU.cpp: includes "skin/frame/KVForm.h"' -- \
  "$tools/check-layers" "$tree"

make_tree
echo '#include "framework/windows/Forms.h"' >"$tree/grapher/app/model/MainU_Driver.h"
expect "the model including a window" 1 'grapher/app/model/MainU_Driver.h: includes "framework/windows/Forms.h"' -- \
  "$tools/check-layers" "$tree"

make_tree
echo '#include "app/windows/MainU.h"' >"$tree/grapher/app/plot/MainU_Render2D.cpp"
expect "the plot including the windows" 1 'grapher/app/plot/MainU_Render2D.cpp: includes "app/windows/MainU.h"' -- \
  "$tools/check-layers" "$tree"

make_tree
echo '#include "skin/frame/KVForm.h"' >"$tree/grapher/skin/controls/KVMainMenu.h"
expect "a control including the frame" 1 'grapher/skin/controls/KVMainMenu.h: includes "skin/frame/KVForm.h"' -- \
  "$tools/check-layers" "$tree"

make_tree
echo '#include "skin/controls/KVButton.h"' >"$tree/grapher/skin/look/KVPublic.cpp"
expect "the look including a control" 1 'grapher/skin/look/KVPublic.cpp: includes "skin/controls/KVButton.h"' -- \
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

make_tree
echo '' >"$tree/grapher/app/Kurvex.cpp"
expect "a file beside the app's layers" 1 'grapher/app: a source folder that is no layer' -- \
  "$tools/check-layers" "$tree"

[ $failures = 0 ] && echo "all passed" || echo "$failures failed"
[ $failures = 0 ]
