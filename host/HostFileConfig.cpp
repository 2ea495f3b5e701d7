// The recording EditFile of kvhost's file-configuration record.
#include "HostFileConfig.h"

#include <array>
#include <charconv>
#include <utility>

#include "Ansi.h"
#include "ScriptLexer.h"

namespace kvhost {
namespace {

struct KindName {
    EditFileKind kind;
    std::string_view name;
};

constexpr std::array<KindName, 3> kKindNames = {{
    {EditFileKind::library, "library"},
    {EditFileKind::stimulus, "stimulus"},
    {EditFileKind::include, "include"},
}};

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string editFileKindName(EditFileKind kind) {
    for (const auto& entry : kKindNames) {
        if (entry.kind == kind) {
            return std::string(entry.name);
        }
    }
    return std::to_string(static_cast<std::int32_t>(kind));
}

std::optional<EditFileKind> parseEditFileKind(std::string_view name) {
    for (const auto& entry : kKindNames) {
        if (equalsIgnoreCase(entry.name, name)) {
            return entry.kind;
        }
    }
    std::int32_t value = 0;
    const auto* end = name.data() + name.size();
    const auto [ptr, ec] = std::from_chars(name.data(), end, value);
    if (name.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return static_cast<EditFileKind>(value);
}

std::string editFileTranscriptLine(const EditFileCall& call) {
    return "edit-file " + editFileKindName(call.kind) + " " +
           quoteScriptArgument(ansiToUtf8(call.path));
}

int HostFileConfig::EditFile(EditFileKind kind, const char* path) {
    EditFileCall call{kind, path != nullptr ? std::string(path) : std::string()};
    if (m_listener) {
        m_listener(call);
    }
    m_calls.push_back(std::move(call));
    return 1;
}

}  // namespace kvhost
