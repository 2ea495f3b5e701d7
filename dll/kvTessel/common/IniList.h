// Lists of paths in configuration-file values: ";"-separated items that may be quoted, refer to
// variables ("$TDSROOT\lib") or be relative to the configuration file (".\x.prb"). The reader
// expands them into plain paths; the writer puts a list back in the notation the file used.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

// How an expanded list item was written in the file.
enum class IniItemNotation {
    Plain,      // the item as it stands
    Reference,  // a variable reference ("$NAME\rest")
    Relative,   // a path relative to the configuration file (".\x" or "..\x")
};

// One item of an expanded list and the notation it came from.
struct IniListItem {
    std::string text;      // the expanded item
    IniItemNotation kind;  // how the file wrote it
    std::string notation;  // "_false" for plain items, "NAME\rest" for references (without
                           // the "$"), the relative path as written for relative items
};

// Expands a list value into its items in order (neither de-duplicated nor filtered).
std::vector<IniListItem> ExpandIniList(std::string_view value);

// Reads a list value and writes its expansion into buffer (at most size bytes, terminator
// included): 1 when the file gave a value, else 0 with the default in buffer.
int ReadIniList(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                LPCSTR fileName, bool quote);

// Writes a list of expanded items back, each in the notation the current value used for it;
// answers 1.
int WriteIniList(LPCSTR section, LPCSTR key, LPCSTR newValue, LPCSTR fileName, bool quote);
