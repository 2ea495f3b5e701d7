// Extensions around the registry that Windows does not have as functions: loading a ".reg"
// file as the registry editor imports it (kvhost's --registry, tests) and emptying the registry.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "kvwin32/windef.h"

namespace kvwin32 {

// One line of a ".reg" file that was skipped, and why.
struct RegFileDiagnostic {
    std::size_t line;     // 1-based line number in the file
    std::string message;  // what is wrong with the line
};

// What loading a ".reg" file did.
struct RegFileLoad {
    // ERROR_SUCCESS when the file was read and carried a registry header (even with skipped
    // lines); ERROR_FILE_NOT_FOUND and the like when it could not be read; ERROR_BADDB when it
    // is not a registry file.
    DWORD error = 0;
    // Why the file could not be read, when it could not ("it is a folder", "it is not a
    // regular file", "it is larger than 64 MiB", "Permission denied", ...).
    std::string reason;
    std::vector<RegFileDiagnostic> diagnostics;  // malformed lines, in file order
};

// Imports a ".reg" file given by its host path into the registry: keys are created or deleted,
// values set or deleted, malformed lines skipped and reported.
RegFileLoad loadRegistryFile(const std::string& hostPath);

// Imports ".reg" text (UTF-16LE with its byte-order mark, or 8-bit) into the registry.
RegFileLoad loadRegistryText(std::string_view bytes);

// Removes every key and value below the predefined keys and every predefined-key override.
// Open handles stay valid to close but name deleted keys.
void clearRegistry();

}  // namespace kvwin32

#pragma GCC visibility pop
