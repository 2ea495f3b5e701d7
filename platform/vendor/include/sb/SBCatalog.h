// The catalog file format of the message library stand-in, and its reader.
//
// A catalog is a UTF-8 XML file holding the messages of one module:
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <catalog module="ZAZARIZ">
//     <message number="5025" type="4">Please select a checkpoint directory.</message>
//     <message number="5026" type="4">The directory name "%1" is not valid.</message>
//   </catalog>
//
// - module: the module the catalog belongs to (compared without regard to case);
// - number: decimal, 0 to 2147483647, each number once per catalog;
// - type: decimal, 0 to 255 (1 error, 4 warning, 5 information, 7 question);
// - the element's text is the message, taken exactly, blanks at either end included; %1 to %9
//   mark where parameters go. Only <message> elements may appear in <catalog>, and a message
//   holds text only (comments aside).
// Texts become Windows-1252 bytes; a character that code page lacks becomes "?".
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// Largest catalog file the reader accepts.
inline constexpr std::size_t kMaxCatalogBytes = 4 * 1024 * 1024;

struct CatalogMessage {
    int number;
    int type;
    std::string text;  // Windows-1252

    friend bool operator==(const CatalogMessage&, const CatalogMessage&) = default;
};

struct Catalog {
    std::string module;
    std::vector<CatalogMessage> messages;  // in file order
};

// A catalog read from the bytes of a file, or the reason it is malformed (error set, catalog
// empty).
struct CatalogReadResult {
    std::optional<Catalog> catalog;
    std::string error;
};

// Reads a catalog from the bytes of a file.
CatalogReadResult readCatalog(std::string_view bytes);

// Windows-1252 bytes of UTF-8 text, with "?" for characters outside the code page; nullopt
// when the text is not valid UTF-8.
std::optional<std::string> utf8ToWindows1252(std::string_view utf8);

}  // namespace sb

#pragma GCC visibility pop
