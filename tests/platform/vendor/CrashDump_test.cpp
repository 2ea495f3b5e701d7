// The crash-report stand-in keeps what it was told.
#include <gtest/gtest.h>

#include "crash/CrashDump.h"

namespace {

TEST(CrashDumpTest, RecordsNameAndFolderAndToleratesNull) {
    crashdump::reset();
    EXPECT_EQ(crashdump::appName(), "");
    EXPECT_EQ(crashdump::dumpPath(), "");
    Crash_Dump_SetAppName("kvTessel64");
    Crash_Dump_SetDumpPath("C:\\sim\\bin\\");
    EXPECT_EQ(crashdump::appName(), "kvTessel64");
    EXPECT_EQ(crashdump::dumpPath(), "C:\\sim\\bin\\");
    Crash_Dump_SetAppName(nullptr);
    EXPECT_EQ(crashdump::appName(), "");
    EXPECT_EQ(crashdump::dumpPath(), "C:\\sim\\bin\\") << "each call sets only its own value";
    crashdump::reset();
    EXPECT_EQ(crashdump::dumpPath(), "");
}

}  // namespace
