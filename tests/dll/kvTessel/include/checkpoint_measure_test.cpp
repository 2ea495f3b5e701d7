// The small value classes hosts build profiles from: a checkpoint entry (constructed with the
// folder first although it stores the intervals first), the profile-data measurement record,
// and the data-collection mask bits.
#include <cstdint>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "kvTessel/CheckPoint.h"
#include "kvTessel/DataCollectionSettings.h"
#include "kvTessel/MeasurementSettings.h"

namespace {

TEST(CCheckPointReader, ConstructorTakesTheFolderFirst) {
    const CCheckPointReader entry("ckpt1", "10u", "5", "1u 2u");
    EXPECT_EQ(entry.GetDirectory(), "ckpt1");
    EXPECT_EQ(entry.GetSimInterval(), "10u");
    EXPECT_EQ(entry.GetRealTimeInterval(), "5");
    EXPECT_EQ(entry.GetTimePoints(), "1u 2u");
}

TEST(MeasData, ListsCopyAndCompareByValue) {
    static_assert(std::has_virtual_destructor_v<MeasData>);
    MeasurementSettings settings;
    settings.measureList.emplace_back("Rise(V(a))", false, 0);
    settings.measureList.emplace_back("Fall(V(b))", true, 1);
    std::vector<MeasData> copy;
    copy = settings.measureList;
    EXPECT_EQ(copy, settings.measureList);
    copy[1] = MeasData("Fall(V(b))", false, 1);
    EXPECT_FALSE(copy == settings.measureList);
    EXPECT_TRUE(settings.measureList[1].isEnabled());
}

// Each kind of quantity has its own nibble; the scopes are the nibble's four bits.
TEST(CollectMask, BitsOfEachKindAndScope) {
    struct Row {
        unsigned shift;
        std::uint32_t all, allButSubcircuits, atMarkers, none;
    };
    const Row rows[] = {
        {CollectMask::kVoltageShift, 0x10, 0x20, 0x40, 0x80},
        {CollectMask::kCurrentShift, 0x100, 0x200, 0x400, 0x800},
        {CollectMask::kPowerShift, 0x1000, 0x2000, 0x4000, 0x8000},
        {CollectMask::kDigitalShift, 0x10000, 0x20000, 0x40000, 0x80000},
        {CollectMask::kNoiseShift, 0x100000, 0x200000, 0x400000, 0x800000},
    };
    std::uint32_t every = 0;
    for (const Row& row : rows) {
        EXPECT_EQ(CollectMask::bit(row.shift, CollectMask::kAll), row.all) << "shift " << row.shift;
        EXPECT_EQ(CollectMask::bit(row.shift, CollectMask::kAllButSubcircuits),
                  row.allButSubcircuits)
            << "shift " << row.shift;
        EXPECT_EQ(CollectMask::bit(row.shift, CollectMask::kAtMarkersOnly), row.atMarkers)
            << "shift " << row.shift;
        EXPECT_EQ(CollectMask::bit(row.shift, CollectMask::kNone), row.none)
            << "shift " << row.shift;
        EXPECT_EQ(CollectMask::bit(row.shift, CollectMask::kNibble),
                  row.all | row.allButSubcircuits | row.atMarkers | row.none);
        every |= row.all | row.allButSubcircuits | row.atMarkers | row.none;
    }
    EXPECT_EQ(every, CollectMask::kUsedBits);
}

}  // namespace
