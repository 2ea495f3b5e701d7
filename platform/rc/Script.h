// What a compiled resource script is: a list of resources, each a type, a name, a language
// and the bytes Windows keeps for it, plus the files the compilation read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Diagnostic.h"

namespace kvrc {

// Ordinals of the predefined resource types this compiler writes.
namespace ResourceType {
inline constexpr std::uint16_t Cursor = 1;
inline constexpr std::uint16_t Bitmap = 2;
inline constexpr std::uint16_t Icon = 3;
inline constexpr std::uint16_t Dialog = 5;
inline constexpr std::uint16_t String = 6;
inline constexpr std::uint16_t GroupCursor = 12;
inline constexpr std::uint16_t GroupIcon = 14;
}  // namespace ResourceType

// The language rc gives resources that no LANGUAGE statement covers: English (United States).
inline constexpr std::uint16_t kDefaultLanguage = 0x0409;

// A resource type or name: an ordinal, or a string (stored upper-case, as rc stores names).
struct ResourceId {
    bool isName = false;
    std::uint16_t ordinal = 0;
    std::string name;

    static ResourceId fromOrdinal(std::uint16_t n) { return ResourceId{false, n, {}}; }
    static ResourceId fromName(std::string text) {
        for (char& c : text)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return ResourceId{true, 0, std::move(text)};
    }

    bool operator==(const ResourceId&) const = default;
    // "101" or "NAME", for messages.
    std::string describe() const { return isName ? name : std::to_string(ordinal); }
};

struct Resource {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = kDefaultLanguage;
    std::vector<std::uint8_t> data;
    Location where;  // the statement that defined it
};

struct Script {
    std::vector<Resource> resources;
    std::vector<std::string> dependencies;  // absolute host paths of every file read
};

}  // namespace kvrc
