// Formula compiler: include this to use TKCompiler.
#pragma once

#include "compiler/KCompilerCode.h"
