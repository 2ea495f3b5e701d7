// Feeds random bytes to the message catalog reader, and the texts it accepts to the parameter
// substitution, checking what must hold for any accepted catalog.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

#include "sb/SBCatalog.h"
#include "sb/SBMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const sb::CatalogReadResult result = sb::readCatalog(bytes);
    if (!result.catalog) {
        if (result.error.empty())
            std::abort();  // every refusal says why
        return 0;
    }
    if (result.catalog->module.empty())
        std::abort();
    std::set<int> numbers;
    const SBParameterList params{std::string(bytes.substr(0, 16)), -1};
    for (const sb::CatalogMessage& m : result.catalog->messages) {
        if (m.number < 0 || m.type < 0 || m.type > 255)
            std::abort();
        if (!numbers.insert(m.number).second)
            std::abort();
        sbSubstituteParameters(m.text, params);
    }
    // The code page conversion never grows a text: one byte per character at most.
    if (const auto converted = sb::utf8ToWindows1252(bytes))
        if (converted->size() > bytes.size())
            std::abort();
    return 0;
}
