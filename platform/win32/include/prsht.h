// What a Windows source file gets from <prsht.h>.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "kvwin32/prsht.h"

#pragma GCC visibility pop
