// Fuzz target: the dialog template reader (DLGTEMPLATE and DLGTEMPLATEEX) on arbitrary bytes.
// Every input must give a template whose fields came from inside the buffer, or nothing,
// never a read outside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "internal/dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto read = kvwin32::internal::readDialogTemplate(data, size);
    if (!read) {
        return 0;
    }
    // Each string unit and each item took bytes of the input.
    std::size_t claimed =
        read->title.size() + read->className.size() + read->face.size() + read->menu.size();
    for (const auto& item : read->items) {
        claimed += item.title.size() + item.creationData.size();
        if (item.creationData.size() == 1) {
            std::abort();  // creation data always starts with its size word
        }
    }
    if (claimed > size || read->items.size() * 18 > size) {
        std::abort();
    }
    return 0;
}
