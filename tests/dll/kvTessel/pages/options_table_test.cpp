// The option table and its two saving rules over all 53 slots, and the option rows of a field
// table: loading, saving (inverted switches, a radio counted from 0), resetting and copying.
#include <gtest/gtest.h>

#include <string>

#include "pages/options/OptionTable.h"

namespace {

OptionSlot slotAt(std::size_t i) {
    return static_cast<OptionSlot>(i);
}

// A record whose every slot holds its default text with flag 0.
OptionSettings defaultRecord() {
    OptionSettings record;
    for (std::size_t i = 0; i < kOptionSlotCount; ++i) {
        record.optionValues[i] = std::string(OptionSettings::defaultTexts[i]);
    }
    return record;
}

struct Expect {
    std::string value;
    int isSet;
};

void expectSlot(const OptionSettings& record, std::size_t i, const Expect& expected) {
    EXPECT_EQ(record.optionValues[i], expected.value) << "slot " << i;
    EXPECT_EQ(record.optionIsSet[i], expected.isSet) << "slot " << i;
}

TEST(OptionTable, DefaultsAndProposals) {
    EXPECT_EQ(OptionDefault(OptionSlot::ABSTOL), "1.0p");
    EXPECT_EQ(OptionDefault(OptionSlot::relaxedVNTOL), ".001");
    EXPECT_EQ(OptionDefault(OptionSlot::SOLVER), "default");
    EXPECT_EQ(OptionDefault(OptionSlot::speedLevel), "3");
    const std::pair<OptionSlot, std::string_view> proposals[] = {
        {OptionSlot::DIODERS, "1.0E-4"},
        {OptionSlot::DIODECJO, "2.0E-12"},
        {OptionSlot::BJTCJ, "1.0E-11"},
        {OptionSlot::CSHUNT, "1.0E-12"},
    };
    for (const auto& [slot, proposal] : proposals) {
        EXPECT_EQ(OptionDefault(slot), "");
        EXPECT_EQ(OptionProposal(slot), proposal);
    }
    for (std::size_t i = 0; i < 48; ++i) {
        EXPECT_EQ(OptionProposal(slotAt(i)), "") << i;
    }
}

// Reset-and-compare on every slot: the default kept, changed, changed back, blank, a case
// difference, a stored text that is not the default replaced by the default.
TEST(OptionTable, ResetAndCompareOnEverySlot) {
    for (std::size_t i = 0; i < kOptionSlotCount; ++i) {
        const OptionSlot slot = slotAt(i);
        const std::string fallback(OptionSettings::defaultTexts[i]);
        OptionSettings record = defaultRecord();

        ResetAndCompare(record, slot, fallback);
        expectSlot(record, i, {fallback, 0});

        ResetAndCompare(record, slot, "42x");
        expectSlot(record, i, {"42x", 1});

        ResetAndCompare(record, slot, fallback);
        expectSlot(record, i, {fallback, 0});

        // Blank is a text like any other, except where it is the default (slots 48 to 51).
        ResetAndCompare(record, slot, "");
        expectSlot(record, i, {"", fallback.empty() ? 0 : 1});

        // The comparison is exact: a blank around the default, or another case, is a change.
        ResetAndCompare(record, slot, fallback + " ");
        expectSlot(record, i, {fallback + " ", 1});

        // Whatever was stored before, the slot starts again from its default.
        record.optionValues[i] = "stale";
        record.optionIsSet[i] = 1;
        ResetAndCompare(record, slot, fallback);
        expectSlot(record, i, {fallback, 0});
    }
}

TEST(OptionTable, ComparisonIsTextualAndCaseSensitive) {
    const struct {
        OptionSlot slot;
        const char* typed;
        int isSet;
    } rows[] = {
        {OptionSlot::RELTOL, "0.001", 0},
        {OptionSlot::RELTOL, "1.0E-3", 1},  // the same number, another text
        {OptionSlot::RELTOL, "1e-3", 1},
        {OptionSlot::ABSTOL, "1.0P", 1},
        {OptionSlot::GMIN, "1.0e-12", 1},
        {OptionSlot::SOLVER, "Default", 1},
        {OptionSlot::DIGDRVZ, "20k", 1},
        {OptionSlot::DIGDRVZ, "20K", 0},
    };
    for (const auto& row : rows) {
        OptionSettings record = defaultRecord();
        ResetAndCompare(record, row.slot, row.typed);
        expectSlot(record, slotIndex(row.slot), {row.typed, row.isSet});
    }
}

TEST(OptionTable, NumbersAreComparedAsTheirDecimalText) {
    const struct {
        OptionSlot slot;
        int value;
        Expect expected;
    } rows[] = {
        {OptionSlot::speedLevel, 3, {"3", 0}},
        {OptionSlot::speedLevel, 0, {"0", 1}},
        {OptionSlot::speedLevel, 5, {"5", 1}},
        {OptionSlot::timingMode, 2, {"2", 0}},
        {OptionSlot::timingMode, 4, {"4", 1}},
        {OptionSlot::NUMDG, 4, {"4", 0}},
        {OptionSlot::NUMDG, -1, {"-1", 1}},
        {OptionSlot::adIoLevel, 1, {"1", 0}},
        {OptionSlot::flipFlopInitialState, 0, {"0", 1}},
    };
    for (const auto& row : rows) {
        OptionSettings record = defaultRecord();
        ResetAndCompare(record, row.slot, row.value);
        expectSlot(record, slotIndex(row.slot), row.expected);
    }
}

// Compare-with-stored on every slot: an unchanged text leaves text and flag alone, a changed
// one is stored with flag 1, and a flag is never cleared, not even by the default text.
TEST(OptionTable, CompareWithStoredOnEverySlot) {
    for (std::size_t i = 0; i < kOptionSlotCount; ++i) {
        const OptionSlot slot = slotAt(i);
        const std::string fallback(OptionSettings::defaultTexts[i]);
        OptionSettings record = defaultRecord();

        CompareWithStored(record, slot, fallback);
        expectSlot(record, i, {fallback, 0});

        CompareWithStored(record, slot, "Gear");
        expectSlot(record, i, {"Gear", 1});

        CompareWithStored(record, slot, "Gear");
        expectSlot(record, i, {"Gear", 1});

        CompareWithStored(record, slot, fallback);
        expectSlot(record, i, {fallback, 1});

        // A flag the host set on a text equal to the stored one stays as it is, and so does a
        // flag of 0 on a text that differs from the default.
        record.optionValues[i] = "kept";
        record.optionIsSet[i] = 0;
        CompareWithStored(record, slot, "kept");
        expectSlot(record, i, {"kept", 0});

        CompareWithStored(record, slot, "gear");
        expectSlot(record, i, {"gear", 1});
    }
}

// An owner with one row of every kind an options panel uses.
struct Owner {
    CString text;
    CString blankDefault;
    int count = 0;
    int radio = 0;
    int shownInverted = 0;
    int plainSwitch = 0;
    CString stored;
};
using Row = fields::Field<Owner, OptionSettings>;
constexpr Row kRows[] = {
    options::optionField(1, &Owner::text, OptionSlot::RELTOL),
    options::optionField(2, &Owner::blankDefault, OptionSlot::CSHUNT),
    options::intSlotField(3, &Owner::count, OptionSlot::NUMDG, fields::Exchange::text),
    options::intSlotField(4, &Owner::radio, OptionSlot::timingMode, fields::Exchange::radio,
                          options::kFromOne),
    options::invertedCheckField(5, &Owner::shownInverted, &OptionSettings::NOBIAS),
    fields::checkField(6, &Owner::plainSwitch, &OptionSettings::OPTS),
    options::optionField(7, &Owner::stored, OptionSlot::METHOD, options::kComparesStored),
};
constexpr std::span<const Row> kTable(kRows);

TEST(OptionRows, LoadShowsSwitchesInvertedAndTheTimingModeFromZero) {
    OptionSettings record = defaultRecord();
    record.optionValues[slotIndex(OptionSlot::timingMode)] = "4";
    record.optionValues[slotIndex(OptionSlot::NUMDG)] = "7";
    record.NOBIAS = 1;
    record.OPTS = 1;
    Owner owner;
    options::loadOptions(owner, record, kTable);
    EXPECT_EQ(owner.text, "0.001");
    EXPECT_EQ(owner.count, 7);
    EXPECT_EQ(owner.radio, 3);
    EXPECT_EQ(owner.shownInverted, 0);
    EXPECT_EQ(owner.plainSwitch, 1);
    EXPECT_EQ(owner.stored, "0");
}

TEST(OptionRows, SaveUsesEachRowsRule) {
    OptionSettings record = defaultRecord();
    record.optionIsSet[slotIndex(OptionSlot::timingMode)] = 1;
    record.optionValues[slotIndex(OptionSlot::timingMode)] = "4";
    Owner owner;
    options::loadOptions(owner, record, kTable);
    // Unchanged: the timing mode keeps its flag because "4" is not the default.
    options::saveOptions(owner, record, kTable);
    expectSlot(record, slotIndex(OptionSlot::timingMode), {"4", 1});
    expectSlot(record, slotIndex(OptionSlot::RELTOL), {"0.001", 0});
    expectSlot(record, slotIndex(OptionSlot::METHOD), {"0", 0});
    EXPECT_EQ(record.NOBIAS, 0);

    owner.text = "1.0E-3";
    owner.radio = 1;
    owner.count = 4;
    owner.shownInverted = 0;
    owner.stored = "Default";
    options::saveOptions(owner, record, kTable);
    expectSlot(record, slotIndex(OptionSlot::RELTOL), {"1.0E-3", 1});
    expectSlot(record, slotIndex(OptionSlot::timingMode), {"2", 0});
    expectSlot(record, slotIndex(OptionSlot::NUMDG), {"4", 0});
    expectSlot(record, slotIndex(OptionSlot::METHOD), {"Default", 1});
    EXPECT_EQ(record.NOBIAS, 1);

    // Back to the default: reset-and-compare clears the flag, compare-with-stored keeps it.
    owner.text = "0.001";
    owner.stored = "0";
    options::saveOptions(owner, record, kTable);
    expectSlot(record, slotIndex(OptionSlot::RELTOL), {"0.001", 0});
    expectSlot(record, slotIndex(OptionSlot::METHOD), {"0", 1});
}

TEST(OptionRows, ResetGivesTextsTheirDefaultsOrEmptiesThem) {
    Owner owner;
    owner.text = "x";
    owner.blankDefault = "y";
    owner.count = 9;
    options::resetOptionTexts(owner, kTable, true);
    EXPECT_EQ(owner.text, "0.001");
    EXPECT_EQ(owner.blankDefault, "");
    EXPECT_EQ(owner.stored, "0");
    EXPECT_EQ(owner.count, 9);  // ints are the panel's own business
    options::resetOptionTexts(owner, kTable, false);
    EXPECT_EQ(owner.text, "");
    EXPECT_EQ(owner.stored, "");
}

TEST(OptionRows, ACopyPutsEveryRowBack) {
    Owner owner;
    owner.text = "a";
    owner.count = 2;
    owner.shownInverted = 1;
    const options::OptionCopy copy = options::takeCopy(owner, kTable);
    owner.text = "b";
    owner.count = 3;
    owner.shownInverted = 0;
    owner.stored = "c";
    options::restoreCopy(owner, kTable, copy);
    EXPECT_EQ(owner.text, "a");
    EXPECT_EQ(owner.count, 2);
    EXPECT_EQ(owner.shownInverted, 1);
    EXPECT_EQ(owner.stored, "");
}

}  // namespace
