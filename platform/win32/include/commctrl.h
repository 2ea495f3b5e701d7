// What a Windows source file gets from <commctrl.h>.
#pragma once

#include "kvwin32/commctrl.h"
