// The checkpoint registry: one singleton until killOb, its folder and flag, copies, and the
// exchange of two entries' contents in the shared list with the pointers left in place.
#include <gtest/gtest.h>

#include <vector>

#include "kvTessel/CheckPoint.h"

namespace {

class CheckpointRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ISyncCkptReStart::killOb();
        ISyncCkptReStart::chkptSimEntry.clear();
    }
    void TearDown() override {
        ISyncCkptReStart::killOb();
        ISyncCkptReStart::chkptSimEntry.clear();
    }
};

TEST_F(CheckpointRegistryTest, InstanceIsOneObjectUntilKillOb) {
    ISyncCkptReStart* first = ISyncCkptReStart::Instance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ISyncCkptReStart::Instance(), first);
    EXPECT_EQ(first->GetchkptDir(), "");
    EXPECT_FALSE(first->GetChkptFlag());

    first->SetChkptDir("ckpt1");
    first->SetChkptFlag(true);
    EXPECT_EQ(ISyncCkptReStart::Instance()->GetchkptDir(), "ckpt1");
    EXPECT_TRUE(ISyncCkptReStart::Instance()->GetChkptFlag());

    // killOb ends the singleton but leaves the entries; the next Instance starts afresh.
    CCheckPointReader entry("a", "", "", "");
    ISyncCkptReStart::chkptSimEntry.push_back(&entry);
    ISyncCkptReStart::killOb();
    ISyncCkptReStart::killOb();  // a second call finds nothing to end
    EXPECT_EQ(ISyncCkptReStart::chkptSimEntry.size(), 1u);
    ISyncCkptReStart* second = ISyncCkptReStart::Instance();
    EXPECT_EQ(second->GetchkptDir(), "");
    EXPECT_FALSE(second->GetChkptFlag());
}

TEST_F(CheckpointRegistryTest, CopiesTakeFolderAndFlag) {
    ISyncCkptReStart* registry = ISyncCkptReStart::Instance();
    registry->SetChkptDir("C:\\runs\\ckpt");
    registry->SetChkptFlag(true);
    ISyncCkptReStart copy(*registry);
    EXPECT_EQ(copy.GetchkptDir(), "C:\\runs\\ckpt");
    EXPECT_TRUE(copy.GetChkptFlag());

    registry->SetChkptDir("other");
    registry->SetChkptFlag(false);
    copy = *registry;
    EXPECT_EQ(copy.GetchkptDir(), "other");
    EXPECT_FALSE(copy.GetChkptFlag());
    copy.SetChkptDir("mine");
    EXPECT_EQ(registry->GetchkptDir(), "other");
}

TEST_F(CheckpointRegistryTest, SwapExchangesContentsNotPointers) {
    CCheckPointReader a("ckA", "1u", "2", "3u");
    CCheckPointReader b("ckB", "4u", "5", "6u");
    CCheckPointReader c("ckC", "", "", "");
    auto& list = ISyncCkptReStart::chkptSimEntry;
    list = {&a, &b, &c};

    ISyncCkptReStart::SwapChkptEntry(0, 1);
    EXPECT_EQ(list, (std::vector<CCheckPointReader*>{&a, &b, &c}));
    EXPECT_EQ(a.GetDirectory(), "ckB");
    EXPECT_EQ(a.GetSimInterval(), "4u");
    EXPECT_EQ(a.GetRealTimeInterval(), "5");
    EXPECT_EQ(a.GetTimePoints(), "6u");
    EXPECT_EQ(b.GetDirectory(), "ckA");
    EXPECT_EQ(b.GetTimePoints(), "3u");

    ISyncCkptReStart::SwapChkptEntry(2, 1);
    EXPECT_EQ(b.GetDirectory(), "ckC");
    EXPECT_EQ(c.GetDirectory(), "ckA");
}

TEST_F(CheckpointRegistryTest, SwapOutsideTheListOrOfOneEntryChangesNothing) {
    CCheckPointReader a("ckA", "1u", "", "");
    CCheckPointReader b("ckB", "2u", "", "");
    auto& list = ISyncCkptReStart::chkptSimEntry;
    list = {&a, &b, nullptr, &a};
    const struct {
        int i;
        int j;
    } pairs[] = {{-1, 0}, {0, -1}, {0, 4}, {4, 1}, {1, 1}, {1, 2}, {2, 0}, {0, 3}};
    for (const auto& p : pairs) {
        ISyncCkptReStart::SwapChkptEntry(p.i, p.j);
        EXPECT_EQ(a.GetDirectory(), "ckA") << p.i << "," << p.j;
        EXPECT_EQ(b.GetDirectory(), "ckB") << p.i << "," << p.j;
    }
}

}  // namespace
