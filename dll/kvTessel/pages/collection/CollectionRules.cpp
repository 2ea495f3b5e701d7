// The rules of the Data Collection page.
#include "CollectionRules.h"

std::uint32_t WidenCollectMask(std::uint32_t stored) {
    // One scope for all five kinds, as the oldest profiles stored it.
    constexpr std::array<std::uint32_t, 4> kWidened = {0x111110, 0x222220, 0x444440, 0x888880};
    return stored < kWidened.size() ? kWidened[stored] : stored;
}

Scope ScopeOfNibble(std::uint32_t mask, unsigned shift) {
    const std::uint32_t nibble = (mask >> shift) & CollectMask::kNibble;
    for (const Scope scope :
         {Scope::all, Scope::allButSubcircuits, Scope::atMarkersOnly, Scope::none}) {
        if ((nibble & (1u << static_cast<unsigned>(scope))) != 0) {
            return scope;
        }
    }
    return Scope::all;
}

std::uint32_t ScopeBit(unsigned shift, Scope scope) {
    return CollectMask::bit(shift, 1u << static_cast<unsigned>(scope));
}

std::optional<Scope> DigitalAfterVoltages(Scope voltages, Scope digital) {
    if (voltages == Scope::atMarkersOnly) {
        return Scope::atMarkersOnly;
    }
    if (voltages == Scope::all && digital == Scope::atMarkersOnly) {
        return Scope::all;
    }
    // "All but Internal Subcircuits" or "None" for voltages leave digital as it is.
    return std::nullopt;
}

std::optional<Scope> VoltagesAfterDigital(Scope digital) {
    if (digital == Scope::atMarkersOnly) {
        return Scope::atMarkersOnly;
    }
    return std::nullopt;
}

bool DigitalEnabled(Scope voltages, Scope digital) {
    return !(voltages == Scope::atMarkersOnly && digital == Scope::atMarkersOnly);
}
