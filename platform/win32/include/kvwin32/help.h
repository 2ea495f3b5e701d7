// Help requests. A help viewer needs a person, so a request goes to the desktop
// (kvwin32/desktop.h), which writes it into its transcript; the help library of the product
// stands on this.
#pragma once

#include <string_view>

namespace kvwin32 {

// Asks the desktop to show a topic of a help book; false when no help can be shown (the
// desktop refuses help). Both texts are recorded exactly as given.
bool showHelp(std::string_view book, std::string_view topic);

}  // namespace kvwin32
