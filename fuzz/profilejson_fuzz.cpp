// Fuzzes the profile document with arbitrary bytes as JSON text. Whatever is accepted must come
// back unchanged: its JSON read again gives the same JSON, and so does its written text. Every
// path the document then reports must be readable and comparable through ProfilePath.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ProfileJson.h"
#include "ProfilePath.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto doc = kvhost::ProfileDocument::parse(text);
    if (!doc.ok()) {
        check(!doc.error().empty());
        return 0;
    }
    const nlohmann::json json = doc.value().toJson();
    // A text with a NUL is refused at load: the library would drop what follows it.
    check(doc.value().dump().find("\\u0000") == std::string::npos);
    auto again = kvhost::ProfileDocument::fromJson(json);
    check(again.ok());
    check(again.value().toJson() == json);
    auto reread = kvhost::ProfileDocument::parse(doc.value().dump());
    check(reread.ok());
    check(reread.value().toJson() == json);
    // Each member compares equal to its own JSON text.
    for (const auto& item : json.items()) {
        const std::string valueText =
            item.value().is_string() ? item.value().get<std::string>() : item.value().dump();
        auto equal = kvhost::ProfilePath::equals(doc.value(), item.key(), valueText);
        check(equal.ok() && equal.value());
    }
    return 0;
}
