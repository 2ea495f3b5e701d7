// Internal: the module table behind HMODULE.
#pragma once

#include "kvwin32/windef.h"

namespace kvwin32::internal {

// Address of a symbol of a loaded module, whether loaded as a library or as a data file; null
// when the module has no such symbol.
void* moduleSymbol(HMODULE module, const char* name);

// The module (main program or shared object) whose image holds an address.
HMODULE moduleFromAddress(const void* address);

}  // namespace kvwin32::internal
