// Generated-source writer.
#include "SourceWriter.h"

#include <cstdio>

namespace kvrc {

namespace {

// A C++ string literal for a resource name (upper-case ASCII letters, digits and the like;
// anything else is escaped).
std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            out.push_back(static_cast<char>(c));
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    return out + "\"";
}

std::string idLiteral(const ResourceId& id) {
    if (id.isName)
        return "{" + quoted(id.name) + ", 0}";
    return "{nullptr, " + std::to_string(id.ordinal) + "}";
}

std::string escapeDependency(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#')
            out.push_back('\\');
        if (c == '$')
            out.push_back('$');
        out.push_back(c);
    }
    return out;
}

}  // namespace

std::string writeSource(const Script& script, std::string_view scriptName) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    std::size_t total = 0;
    for (const Resource& r : script.resources)
        total += r.data.size();
    out.reserve(total * 5 + 4096);

    out += "// Resources compiled by kvrc from ";
    out += scriptName;
    out += ". Generated: edit the script, not this file.\n";
    out += "#include \"kvwin32/resource_data.h\"\n\nnamespace {\n\n";
    for (std::size_t i = 0; i < script.resources.size(); ++i) {
        const Resource& r = script.resources[i];
        out += "alignas(4) const BYTE kData" + std::to_string(i) + "[] = {";
        if (r.data.empty())
            out += "0";
        for (std::size_t b = 0; b < r.data.size(); ++b) {
            if (b % 20 == 0)
                out += "\n   ";
            out += " 0x";
            out.push_back(kHex[r.data[b] >> 4]);
            out.push_back(kHex[r.data[b] & 0xF]);
            out.push_back(',');
        }
        out += "\n};\n";
    }
    if (!script.resources.empty()) {
        out += "\nconst KvResourceEntry kEntries[] = {\n";
        for (std::size_t i = 0; i < script.resources.size(); ++i) {
            const Resource& r = script.resources[i];
            char lang[16];
            std::snprintf(lang, sizeof lang, "0x%04x", r.language);
            out += "    {" + idLiteral(r.type) + ", " + idLiteral(r.name) + ", " + lang +
                   ", kData" + std::to_string(i) + ", " + std::to_string(r.data.size()) + "},\n";
        }
        out += "};\n";
    }
    out += "\n}  // namespace\n\n";
    out += "extern \"C\" __attribute__((visibility(\"default\"))) const KvResourceDirectory\n";
    out +=
        "    kvResourceDirectory = {KV_RESOURCE_DIRECTORY_MAGIC, KV_RESOURCE_DIRECTORY_VERSION, ";
    out += std::to_string(script.resources.size());
    out += script.resources.empty() ? ", nullptr};\n" : ", kEntries};\n";
    return out;
}

std::string writeDependencies(const Script& script, std::string_view output) {
    std::string out = escapeDependency(std::string(output)) + ":";
    for (const std::string& dep : script.dependencies)
        out += " \\\n  " + escapeDependency(dep);
    return out + "\n";
}

}  // namespace kvrc
