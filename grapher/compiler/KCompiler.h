// Formula compiler: include this to use TKCompiler.
#pragma once

#include "KCompilerCode.h"
