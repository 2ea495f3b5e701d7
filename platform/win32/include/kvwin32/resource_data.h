// The layout of a compiled resource directory: what the resource compiler (kvrc) writes into
// the C++ source it generates and what FindResource reads back. Each module carries one
// directory, exported under the symbol named by KV_RESOURCE_DIRECTORY_SYMBOL, and each entry
// holds one resource in the binary format Windows itself uses for its type (DLGTEMPLATEEX,
// string blocks, DIBs, icon and cursor images and groups).
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstdint>

#include "kvwin32/windef.h"

// Identifies a directory (and its layout version) before anything else in it is trusted.
#define KV_RESOURCE_DIRECTORY_MAGIC 0x5352564Bu  // "KVRS"
#define KV_RESOURCE_DIRECTORY_VERSION 1u
// The one symbol under which a module exports its directory.
#define KV_RESOURCE_DIRECTORY_SYMBOL "kvResourceDirectory"

extern "C" {

// A resource type or name: an ordinal when text is null, else an upper-case string (resource
// scripts and Windows both compare names without regard to case).
struct KvResourceId {
    const char* text;
    WORD ordinal;
};

// One resource: its type, name and language, and its bytes (DWORD-aligned).
struct KvResourceEntry {
    KvResourceId type;
    KvResourceId name;
    WORD language;
    const BYTE* data;
    DWORD size;
};

// The resources of one module, in script order.
struct KvResourceDirectory {
    DWORD magic;    // KV_RESOURCE_DIRECTORY_MAGIC
    DWORD version;  // KV_RESOURCE_DIRECTORY_VERSION
    DWORD count;
    const KvResourceEntry* entries;
};

// The directory of the module being built, defined by the source that kvrc generates for it.
__attribute__((visibility("default"))) extern const KvResourceDirectory kvResourceDirectory;

}  // extern "C"

namespace kvres {

// Texts in resource scripts are Windows-1252 and stored as UTF-16; LoadStringA converts back
// with the same table. Windows-1252 equals Latin-1 except for 0x80..0x9F, given here (the five
// holes 0x81, 0x8D, 0x8F, 0x90, 0x9D map through unchanged, as Windows converts them).
inline constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

// The UTF-16 unit of a Windows-1252 byte.
constexpr char16_t fromCp1252(unsigned char c) {
    return (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : static_cast<char16_t>(c);
}

// The Windows-1252 byte of a UTF-16 unit, or '?' (Windows' default character) when the code
// page has none.
constexpr char toCp1252(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == u)
            return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace kvres

#pragma GCC visibility pop
