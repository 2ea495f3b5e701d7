// The string type of the maker's profile-data library: every text of a simulation profile is
// one of these. It holds bytes in the ANSI code page (Windows-1252) exactly as the host stored
// them; nothing in the profile path converts or interprets the encoding.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <string>

// A profile text: a narrow string of bytes in the ANSI code page, never null-terminated by
// contract (embedded zero bytes are kept as they are).
using vnt_string = std::string;

#pragma GCC visibility pop
