// The names a resource script may use without defining them: the style bits, dialog command
// ids and language ids that <windows.h> and <afxres.h> give a script on Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kvrc {

// The value of a built-in name (names are case-sensitive, as in C), or nullopt.
std::optional<std::uint32_t> builtinSymbol(std::string_view name);

}  // namespace kvrc
