// Internal: the library's environment overlay, a case-insensitive copy of the process
// environment taken at first use. Changes stay in the overlay; the host's own environment is
// never touched.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvwin32::internal {

std::optional<std::string> getVariable(std::string_view name);
// A nullopt value removes the variable.
void setVariable(std::string_view name, std::optional<std::string_view> value);

}  // namespace kvwin32::internal
