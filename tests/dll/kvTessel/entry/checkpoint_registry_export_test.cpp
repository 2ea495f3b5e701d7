// The checkpoint registry as a host that loads the library finds it: the registry class's
// members under the names kvhost looks up, and they are the library's own registry.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <vector>

#include "kvTessel/CheckPoint.h"

namespace {

TEST(CheckpointRegistryExport, HostsFindTheLibrarysRegistryByName) {
    void* entries = dlsym(RTLD_DEFAULT, "_ZN16ISyncCkptReStart13chkptSimEntryE");
    void* instance = dlsym(RTLD_DEFAULT, "_ZN16ISyncCkptReStart8InstanceEv");
    void* end = dlsym(RTLD_DEFAULT, "_ZN16ISyncCkptReStart6killObEv");
    ASSERT_NE(entries, nullptr);
    ASSERT_NE(instance, nullptr);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(entries, static_cast<void*>(&ISyncCkptReStart::chkptSimEntry));

    // Through the looked-up names, as kvhost ends the registry before its profile goes.
    auto* list = static_cast<std::vector<CCheckPointReader*>*>(entries);
    CCheckPointReader entry("ckpt", "1u", "", "");
    list->push_back(&entry);
    auto* registry = reinterpret_cast<ISyncCkptReStart* (*)()>(instance)();
    registry->SetChkptDir("ckpt");
    list->clear();
    reinterpret_cast<void (*)()>(end)();
    EXPECT_TRUE(ISyncCkptReStart::chkptSimEntry.empty());
    EXPECT_EQ(ISyncCkptReStart::Instance()->GetchkptDir(), "");
    ISyncCkptReStart::killOb();
}

}  // namespace
