// Writing a whole file so that readers see either the old contents or the new ones, never a
// part: the profile kvhost saves and the snapshots a script takes.
#pragma once

#include <string>
#include <string_view>

#include "Result.h"

namespace kvhost {

// Writes `contents` to a new file beside `path` and renames it over `path`. On failure `path`
// is untouched, no temporary file is left, and the error names the path and the reason.
Status writeFileAtomically(const std::string& path, std::string_view contents);

}  // namespace kvhost
