// The Data Collection page's rules apart from its window: widening the old single-scope values,
// the scope a nibble shows, the coupling of voltages and digital states at markers, when the
// Digital list is enabled, and the mask written back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "kvTessel/DataCollectionSettings.h"

// A scope of one kind of quantity, in the order of its nibble's bits (and of the list items).
enum class Scope { all, allButSubcircuits, atMarkersOnly, none };

// The five kinds of quantity, in the page's order, with the shift of their nibble.
inline constexpr std::array<unsigned, 5> kCollectShifts = {
    CollectMask::kVoltageShift, CollectMask::kCurrentShift, CollectMask::kPowerShift,
    CollectMask::kDigitalShift, CollectMask::kNoiseShift};

// An older profile's single scope for every kind (0 to 3) as a mask; any other value is a mask
// already and comes back unchanged.
std::uint32_t WidenCollectMask(std::uint32_t stored);

// The scope a kind's nibble shows: its first set bit in the order All, All but Internal
// Subcircuits, At Markers Only, None; "All" when no bit is set.
Scope ScopeOfNibble(std::uint32_t mask, unsigned shift);

// The mask bit of a kind's scope.
std::uint32_t ScopeBit(unsigned shift, Scope scope);

// Voltages' list closed: the scope Digital takes, or none when it stays as it is.
std::optional<Scope> DigitalAfterVoltages(Scope voltages, Scope digital);
// Digital's list closed: the scope Voltages takes, or none when it stays as it is.
std::optional<Scope> VoltagesAfterDigital(Scope digital);

// The Digital list is disabled only while both lists show "At Markers Only".
bool DigitalEnabled(Scope voltages, Scope digital);
