// Texts of the message library's own messages.
#include <array>
#include <utility>

#include "sb/SBLibraryMessages.h"

namespace sb {

namespace {

struct LibraryText {
    LibraryMessage id;
    const char* text;
};

constexpr std::array kLibraryTexts{
    LibraryText{LibraryMessage::CatalogNotFound,
                "The message catalog \"%1\" was not found (searched: %2)."},
    LibraryText{LibraryMessage::CatalogMalformed, "The message catalog \"%1\" cannot be read: %2."},
    LibraryText{LibraryMessage::CatalogWrongModule,
                "The message catalog \"%1\" belongs to module %2, not to module %3."},
};

}  // namespace

SBMessage libraryMessage(LibraryMessage id, SBParameterList params) {
    const char* text = "";
    for (const LibraryText& t : kLibraryTexts)
        if (t.id == id)
            text = t.text;
    return SBMessage(kLibraryModule, static_cast<int>(id), static_cast<int>(SBMessageType::Error),
                     text, std::move(params));
}

}  // namespace sb
