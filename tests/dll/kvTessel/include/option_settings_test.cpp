// The built-in default text of every option slot, which decides whether a slot's is-set flag
// is raised (the text the user leaves is compared with it exactly), and the slot names that
// index the option arrays.
#include <string_view>

#include <gtest/gtest.h>

#include "kvTessel/OptionSettings.h"

namespace {

struct DefaultRow {
    OptionSlot slot;
    std::string_view text;
};

// The defaults as the Options page documents them, one row per slot.
constexpr DefaultRow kDefaults[] = {
    {OptionSlot::ABSTOL, "1.0p"},
    {OptionSlot::CHGTOL, "0.01p"},
    {OptionSlot::reserved2, "0.0"},
    {OptionSlot::DEFAD, "0.0"},
    {OptionSlot::DEFAS, "0.0"},
    {OptionSlot::DEFL, "100.00u"},
    {OptionSlot::DEFW, "100.00u"},
    {OptionSlot::reserved7, "10.0G"},
    {OptionSlot::DIGDRVF, "2.0"},
    {OptionSlot::DIGDRVZ, "20K"},
    {OptionSlot::DIGERRDEFAULT, "20.0"},
    {OptionSlot::DIGERRLIMIT, "0"},
    {OptionSlot::flipFlopInitialState, "2"},
    {OptionSlot::adIoLevel, "1"},
    {OptionSlot::timingMode, "2"},
    {OptionSlot::DIGMNTYSCALE, "0.4"},
    {OptionSlot::DIGOVRDRV, "3.0"},
    {OptionSlot::DIGTYMXSCALE, "1.6"},
    {OptionSlot::GMIN, "1.0E-12"},
    {OptionSlot::ITL1, "150"},
    {OptionSlot::ITL2, "20"},
    {OptionSlot::ITL4, "10"},
    {OptionSlot::ITL5, "0"},
    {OptionSlot::reserved23, "0"},
    {OptionSlot::NUMDG, "4"},
    {OptionSlot::PIVREL, "1.0E-3"},
    {OptionSlot::PIVTOL, "1.0E-13"},
    {OptionSlot::RELTOL, "0.001"},
    {OptionSlot::TNOM, "27.0"},
    {OptionSlot::VNTOL, "1.0u"},
    {OptionSlot::outputWidth, "80"},
    {OptionSlot::SOLVER, "default"},
    {OptionSlot::DMFACTOR, "1"},
    {OptionSlot::relaxedITL1, "1000"},
    {OptionSlot::relaxedITL2, "1000"},
    {OptionSlot::relaxedITL4, "1000"},
    {OptionSlot::relaxedRELTOL, "0.05"},
    {OptionSlot::relaxedABSTOL, "1.0E-6"},
    {OptionSlot::relaxedVNTOL, ".001"},
    {OptionSlot::relaxedPIVTOL, "1.0E-10"},
    {OptionSlot::WCDEVIATION, "0"},
    {OptionSlot::METHOD, "0"},
    {OptionSlot::TRTOL, "7"},
    {OptionSlot::GMINSTEPS, "0"},
    {OptionSlot::ITL6, "0"},
    {OptionSlot::PTRANSTEP, "0"},
    {OptionSlot::LIMIT, "0"},
    {OptionSlot::THREADS, "0"},
    {OptionSlot::DIODERS, ""},
    {OptionSlot::DIODECJO, ""},
    {OptionSlot::BJTCJ, ""},
    {OptionSlot::CSHUNT, ""},
    {OptionSlot::speedLevel, "3"},
};

TEST(OptionSettings, EverySlotHasItsDocumentedDefault) {
    ASSERT_EQ(std::size(kDefaults), kOptionSlotCount);
    for (std::size_t row = 0; row < std::size(kDefaults); ++row) {
        const std::size_t slot = slotIndex(kDefaults[row].slot);
        EXPECT_EQ(slot, row) << "slot names out of order at row " << row;
        EXPECT_EQ(OptionSettings::defaultTexts[slot], kDefaults[row].text) << "slot " << slot;
    }
}

TEST(OptionSettings, TableEntryPastTheLastSlotIsEmpty) {
    ASSERT_EQ(OptionSettings::defaultTexts.size(), kOptionSlotCount + 1);
    EXPECT_TRUE(OptionSettings::defaultTexts[kOptionSlotCount].empty());
}

// The arrays are indexed by slot name: writing through one name lands in its own slot only.
TEST(OptionSettings, SlotIndexAddressesOneValueAndFlag) {
    OptionSettings options;
    options.optionValues[slotIndex(OptionSlot::RELTOL)] = "1e-3";
    options.optionIsSet[slotIndex(OptionSlot::RELTOL)] = 1;
    for (std::size_t slot = 0; slot < kOptionSlotCount; ++slot) {
        const bool isReltol = slot == 27;
        EXPECT_EQ(options.optionIsSet[slot], isReltol ? 1 : 0) << "slot " << slot;
        EXPECT_EQ(options.optionValues[slot].empty(), !isReltol) << "slot " << slot;
    }
}

}  // namespace
