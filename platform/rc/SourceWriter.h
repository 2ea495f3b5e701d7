// The C++ source that carries a compiled script into a module: each resource's bytes in a
// DWORD-aligned array and the directory of entries, defined with C linkage and default
// visibility under KV_RESOURCE_DIRECTORY_SYMBOL (see kvwin32/resource_data.h).
#pragma once

#include <string>
#include <string_view>

#include "Script.h"

namespace kvrc {

// The source text for a script's resources; `scriptName` is named in its header comment.
std::string writeSource(const Script& script, std::string_view scriptName);

// Make-style dependency lines ("output: dep dep ...") for the files a compilation read.
std::string writeDependencies(const Script& script, std::string_view output);

}  // namespace kvrc
