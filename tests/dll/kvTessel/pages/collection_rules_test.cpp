// The Data Collection rules as tables: widening old values, the scope a nibble shows, the
// couplings and the enable rule.
#include <gtest/gtest.h>

#include "pages/collection/CollectionRules.h"

namespace {

TEST(CollectionRules, OldSingleValuesWidenAndMasksStay) {
    const std::pair<std::uint32_t, std::uint32_t> rows[] = {
        {0, 0x111110},
        {1, 0x222220},
        {2, 0x444440},
        {3, 0x888880},
        {4, 4},
        {0x10, 0x10},
        {0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (const auto& [stored, widened] : rows) {
        EXPECT_EQ(WidenCollectMask(stored), widened) << stored;
    }
}

TEST(CollectionRules, ANibbleShowsItsFirstSetScope) {
    const std::pair<std::uint32_t, Scope> rows[] = {
        {0x0, Scope::all},
        {0x1, Scope::all},
        {0x2, Scope::allButSubcircuits},
        {0x4, Scope::atMarkersOnly},
        {0x8, Scope::none},
        {0x3, Scope::all},
        {0xC, Scope::atMarkersOnly},
        {0xA, Scope::allButSubcircuits},
    };
    for (const unsigned shift : kCollectShifts) {
        for (const auto& [nibble, scope] : rows) {
            // Bits of the neighbouring kinds never leak in.
            const std::uint32_t mask = (nibble << shift) | (0x8u << (shift == 4 ? 8 : 4));
            EXPECT_EQ(ScopeOfNibble(mask, shift), scope) << "shift " << shift << " " << nibble;
            EXPECT_EQ(ScopeOfNibble(ScopeBit(shift, scope), shift), scope);
        }
    }
}

TEST(CollectionRules, Couplings) {
    using S = Scope;
    struct Row {
        S voltages, digital;
        std::optional<S> digitalAfter;
    };
    const Row rows[] = {
        {S::atMarkersOnly, S::all, S::atMarkersOnly},
        {S::atMarkersOnly, S::none, S::atMarkersOnly},
        {S::all, S::atMarkersOnly, S::all},
        {S::all, S::none, std::nullopt},
        {S::allButSubcircuits, S::atMarkersOnly, std::nullopt},
        {S::none, S::atMarkersOnly, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DigitalAfterVoltages(row.voltages, row.digital), row.digitalAfter);
    }
    EXPECT_EQ(VoltagesAfterDigital(S::atMarkersOnly), S::atMarkersOnly);
    for (const S other : {S::all, S::allButSubcircuits, S::none}) {
        EXPECT_EQ(VoltagesAfterDigital(other), std::nullopt);
        EXPECT_TRUE(DigitalEnabled(S::atMarkersOnly, other));
        EXPECT_TRUE(DigitalEnabled(other, S::atMarkersOnly));
    }
    EXPECT_FALSE(DigitalEnabled(S::atMarkersOnly, S::atMarkersOnly));
}

}  // namespace
