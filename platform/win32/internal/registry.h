// Internal: the changes a ".reg" file asks for, as the reader hands them to the registry.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kvwin32/registry_file.h"
#include "kvwin32/windef.h"

namespace kvwin32::internal {

enum class RegOpKind {
    CreateKey,    // [KEY]
    DeleteKey,    // [-KEY], with everything below it
    SetValue,     // "name"=data
    DeleteValue,  // "name"=-
};

// One change, in file order.
struct RegOp {
    RegOpKind kind = RegOpKind::CreateKey;
    HKEY root = nullptr;     // a predefined key
    std::string path;        // below the root, components separated by '\'; empty for the root
    std::string valueName;   // empty names the default value
    DWORD type = 0;          // REG_* of a SetValue
    std::vector<BYTE> data;  // bytes of a SetValue, strings in the ANSI code page
    std::size_t line = 0;    // where the change was written
};

// The text of a ".reg" file, read but not yet applied.
struct ParsedRegFile {
    bool recognised = false;  // the header line names a registry file
    std::vector<RegOp> ops;
    std::vector<RegFileDiagnostic> diagnostics;
};

// Parses ".reg" bytes (UTF-16LE with BOM, UTF-8 with BOM, or 8-bit ANSI); never fails
// outright, malformed lines become diagnostics.
ParsedRegFile parseRegFile(std::string_view bytes);

// The deepest a key may lie below its predefined key, as on Windows: a deeper key is never
// created, so nothing that walks the tree can be made to recurse without bound.
inline constexpr int kMaxKeyDepth = 512;

// Reads and parses a ".reg" file given by its host path; nullopt (with error set, and the
// reason for a message) when it cannot be read.
std::optional<ParsedRegFile> readRegFile(const std::string& hostPath, DWORD& error,
                                         std::string& reason);

// Applies parsed changes to the registry, reporting those it refuses.
void applyRegOps(const std::vector<RegOp>& ops, std::vector<RegFileDiagnostic>& diagnostics);

}  // namespace kvwin32::internal
