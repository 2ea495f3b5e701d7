// What a Windows source file gets from <commctrl.h>.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/commctrl.h"

#pragma GCC visibility pop
