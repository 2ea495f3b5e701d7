// The message library's own messages, which it puts into a status when a catalog cannot be
// used. They belong to no catalog; their texts live in the library.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include "sb/SBMessage.h"

namespace sb {

// Module name the library's own messages carry.
inline constexpr const char* kLibraryModule = "SBMSG";

enum class LibraryMessage : int {
    CatalogNotFound = 1,     // "%1" the catalog file name, "%2" the folders searched
    CatalogMalformed = 2,    // "%1" the catalog's path, "%2" what is wrong
    CatalogWrongModule = 3,  // "%1" the catalog's path, "%2" its module, "%3" the module asked
};

// One of the library's own messages, of the error type, with its parameters.
SBMessage libraryMessage(LibraryMessage id, SBParameterList params);

}  // namespace sb

#pragma GCC visibility pop
