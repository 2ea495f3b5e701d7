// What a Windows source file gets from <prsht.h>.
#pragma once

#include "kvwin32/prsht.h"
