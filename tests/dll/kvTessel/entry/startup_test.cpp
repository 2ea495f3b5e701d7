// What the library did when it was loaded: its start-up steps leave their marks in the
// installation, crash-report and grid libraries, and the exports answer in the library's own
// module state.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "crash/CrashDump.h"
#include "grid/gxinit.h"
#include "kvTessel/Exports.h"
#include "tds/tds.h"

namespace {

// The library's own file, as the module table knows it.
std::string libraryFile() {
    HMODULE library = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(&DllShowSettingsDialog), &library);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(library, path, MAX_PATH);
    return path;
}

TEST(LibraryStartup, RecordsTheProgramTheCrashReportsAndTheGrid) {
    EXPECT_EQ(tds::programName(), "tds_root.exe");

    const std::string file = libraryFile();
    ASSERT_FALSE(file.empty());
    const std::size_t slash = file.find_last_of('\\');
    const std::string folder = file.substr(0, slash + 1);
    const std::string name = file.substr(slash + 1);
    EXPECT_EQ(crashdump::dumpPath(), folder);
    EXPECT_EQ(crashdump::appName(), name.substr(0, name.find_last_of('.')));

    const kvgrid::GridStartup grid = kvgrid::gridStartup();
    EXPECT_TRUE(grid.initialised);
    EXPECT_EQ(grid.frameworkVersion, 0x0B00);
    EXPECT_FALSE(grid.hasLanguage);
    EXPECT_FALSE(grid.hasResourcePath);
    EXPECT_TRUE(grid.newGridLines);
    EXPECT_EQ(grid.lineStyle, 2u);
    EXPECT_TRUE(grid.solidFrozen);
}

TEST(LibraryStartup, TheInProcessServerExportsAnswerAsTheFrameworkDoes) {
    EXPECT_EQ(DllRegisterServer(), S_OK);
    void* object = reinterpret_cast<void*>(1);
    const GUID none{};
    EXPECT_NE(DllGetClassObject(none, none, &object), S_OK);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

}  // namespace
