// The desktop: the seam through which everything that needs a person passes (being written).
#pragma once

#include <string_view>

namespace kvwin32 {

// Appends a line to the transcript of the current desktop.
void transcriptNote(std::string_view line);

}  // namespace kvwin32
