// Test helper: compiles resource scripts given as text inside a temporary folder and finds
// their resources.
#pragma once

#include <string>
#include <string_view>

#include "Compiler.h"
#include "TempDir.h"

namespace rctest {

// Compiles `text` as "<dir>/test.rc"; throws kvrc::RcError.
inline kvrc::Script compile(const kvtest::TempDir& dir, std::string_view text) {
    kvrc::CompileOptions options;
    options.includeDirs.push_back(dir.host("inc"));
    return kvrc::compileText(text, dir.host("test.rc"), dir.host(), options);
}

// The error text of compiling `text`, with the folder replaced by "<dir>", or "" when it
// compiles.
inline std::string errorOf(const kvtest::TempDir& dir, std::string_view text) {
    try {
        compile(dir, text);
    } catch (const kvrc::RcError& e) {
        std::string message = e.what();
        for (std::size_t p; (p = message.find(dir.host())) != std::string::npos;)
            message.replace(p, dir.host().size(), "<dir>");
        return message;
    }
    return "";
}

// The first resource of a type and ordinal name, or null.
inline const kvrc::Resource* findResource(const kvrc::Script& script, std::uint16_t type,
                                          std::uint16_t name) {
    for (const kvrc::Resource& r : script.resources)
        if (!r.type.isName && r.type.ordinal == type && !r.name.isName && r.name.ordinal == name)
            return &r;
    return nullptr;
}

}  // namespace rctest
