// What a Windows source file gets from <shlobj.h>.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/shlobj.h"

#pragma GCC visibility pop
