// Field tables without a window: a value of the profile reaches its member and comes back
// unchanged or normalised, input-only rows stay untouched while skipped, option slots and
// ints shown as text convert both ways, and a row is found by its profile field or control.
#include <gtest/gtest.h>

#include <span>

#include "kvTessel/GeneralSettings.h"
#include "kvTessel/OptionSettings.h"
#include "pages/common/FieldTable.h"

namespace {

using namespace fields;

struct Record {
    vnt_string name;
    vnt_string path;
    vnt_string count;  // an int the page edits as a number
    std::int32_t flag = 0;
    std::int32_t level = 0;  // a number the page shows as text
};

struct Owner {
    CString m_name;
    CString m_path;
    int m_count = 0;
    int m_flag = 0;
    CString m_level;
};

using Row = Field<Owner, Record>;
constexpr Row kRows[] = {
    textField(1, &Owner::m_name, &Record::name, kMarksModified),
    textField(2, &Owner::m_path, &Record::path, kPath | kInputOnly),
    Row{3, &Owner::m_count, &Record::count, Exchange::text},
    checkField(4, &Owner::m_flag, &Record::flag),
    Row{5, &Owner::m_level, &Record::level, Exchange::text},
};
constexpr std::span<const Row> kTable(kRows);

TEST(FieldTable, LoadsEveryRowAndSavesItBack) {
    const Record stored{"amp", "C:\\sim\\amp.cir", "42", 1, 7};
    Owner owner;
    loadFields(owner, stored, kTable);
    EXPECT_STREQ(owner.m_name, "amp");
    EXPECT_STREQ(owner.m_path, "C:\\sim\\amp.cir");
    EXPECT_EQ(owner.m_count, 42);
    EXPECT_EQ(owner.m_flag, 1);
    EXPECT_STREQ(owner.m_level, "7");

    Record saved;
    saveFields(owner, saved, kTable);
    EXPECT_EQ(saved.name, stored.name);
    EXPECT_EQ(saved.path, stored.path);
    EXPECT_EQ(saved.count, stored.count);
    EXPECT_EQ(saved.flag, stored.flag);
    EXPECT_EQ(saved.level, stored.level);
}

TEST(FieldTable, PathRowsAreSavedNormalisedAndOtherTextsAsTyped) {
    Owner owner;
    owner.m_name = " C:/out//run.out ";
    owner.m_path = " C:/out//run.out ";
    Record saved;
    saveFields(owner, saved, kTable);
    EXPECT_EQ(saved.path, "C:\\out\\run.out");
    EXPECT_EQ(saved.name, " C:/out//run.out ");
}

TEST(FieldTable, SkippedRowsKeepTheProfilesValue) {
    Owner owner;
    owner.m_path = "D:\\typed.cir";
    owner.m_name = "typed";
    Record saved{"old", "C:\\old.cir", "", 0, 0};
    saveFields(owner, saved, kTable, kInputOnly);
    EXPECT_EQ(saved.path, "C:\\old.cir");
    EXPECT_EQ(saved.name, "typed");
}

TEST(FieldTable, OneRowIsFoundByItsProfileFieldOrItsControl) {
    const Row* byField = findStored(kTable, &Record::path);
    ASSERT_NE(byField, nullptr);
    EXPECT_EQ(byField->controlId, 2);
    EXPECT_EQ(findStored(kTable, &Record::flag)->controlId, 4);
    EXPECT_EQ(findControl(kTable, 3), &kRows[2]);
    EXPECT_EQ(findControl(kTable, 99), nullptr);

    // Loading one row leaves the others alone.
    Owner owner;
    owner.m_name = "kept";
    loadField(owner, Record{"other", "C:\\x", "", 0, 0}, *byField);
    EXPECT_STREQ(owner.m_path, "C:\\x");
    EXPECT_STREQ(owner.m_name, "kept");
}

struct OptionsOwner {
    CString m_reltol;
    CString m_gmin;
};

TEST(FieldTable, OptionRowsNameTheirSlot) {
    using OptRow = Field<OptionsOwner, OptionSettings>;
    constexpr OptRow rows[] = {
        slotField<OptionsOwner, OptionSettings>(10, &OptionsOwner::m_reltol, OptionSlot::RELTOL),
        slotField<OptionsOwner, OptionSettings>(11, &OptionsOwner::m_gmin, OptionSlot::GMIN),
    };
    OptionSettings options;
    options.optionValues[static_cast<std::size_t>(OptionSlot::RELTOL)] = "0.001";
    options.optionValues[static_cast<std::size_t>(OptionSlot::GMIN)] = "1.0E-12";
    OptionsOwner owner;
    loadFields(owner, options, std::span<const OptRow>(rows));
    EXPECT_STREQ(owner.m_reltol, "0.001");
    EXPECT_STREQ(owner.m_gmin, "1.0E-12");

    owner.m_gmin = "1.0E-10";
    saveFields(owner, options, std::span<const OptRow>(rows));
    EXPECT_EQ(options.optionValues[static_cast<std::size_t>(OptionSlot::GMIN)], "1.0E-10");
    EXPECT_EQ(options.optionValues[static_cast<std::size_t>(OptionSlot::RELTOL)], "0.001");
}

}  // namespace
