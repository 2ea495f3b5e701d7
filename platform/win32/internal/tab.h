// Internal: what the tab control shows its users beyond its messages: where the scroll
// arrows of a row wider than the control are, for the Robot to click as a person does.
#pragma once

#include <optional>
#include <utility>

#include "kvwin32/windef.h"

namespace kvwin32::internal {

// The scroll arrows (left, right) of a tab control whose row scrolls, in client coordinates;
// nullopt when the row fits (no arrows show) or the window is no tab control.
std::optional<std::pair<RECT, RECT>> tabScrollArrows(HWND tab);

}  // namespace kvwin32::internal
