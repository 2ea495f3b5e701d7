// What a Windows source file gets from <shlobj.h>.
#pragma once

#include "kvwin32/shlobj.h"
