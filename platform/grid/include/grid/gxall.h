// The grid library: everything an application of the grid includes.
#pragma once

#include "grid/gxcore.h"
#include "grid/gxctrl.h"
#include "grid/gxinit.h"
#include "grid/gxstyle.h"
#include "grid/gxwnd.h"
