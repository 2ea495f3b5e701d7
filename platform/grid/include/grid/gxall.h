// The grid library: everything an application of the grid includes.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "grid/gxcore.h"
#include "grid/gxctrl.h"
#include "grid/gxinit.h"
#include "grid/gxstyle.h"
#include "grid/gxwnd.h"

#pragma GCC visibility pop
