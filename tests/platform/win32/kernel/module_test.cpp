// Modules: loading by Windows name, reference counts, symbols, handles and file names. The
// kvwin32 library itself stands in for a module to load; a link to it named "X.so" shows how
// "X.dll" is found.
#include <unistd.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "kvwin32/drives.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

// The module whose image holds an address.
HMODULE moduleOf(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, static_cast<LPCSTR>(address),
                       &module);
    return module;
}

// Windows path of the kvwin32 shared object, through GetModuleFileNameA.
std::string kvwin32File() {
    HMODULE self = moduleOf(reinterpret_cast<void*>(&GetLastError));
    EXPECT_NE(self, nullptr);
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(self, buf, sizeof buf);
    EXPECT_GT(n, 0u);
    return std::string(buf, n);
}

std::string hostOf(const std::string& windows) {
    auto host = kvwin32::hostFromWindows(windows);
    return host ? *host : "<none>";
}

TEST(Modules, MainProgramHandleAndFileName) {
    HMODULE main = GetModuleHandleA(nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), main);
    // An address inside the test program belongs to the main program.
    EXPECT_EQ(moduleOf(reinterpret_cast<void*>(&kvwin32File)), main);

    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(n, std::strlen(buf));
    char exe[4096];
    ssize_t len = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(len, 0);
    EXPECT_EQ(hostOf(buf), std::string(exe, static_cast<std::size_t>(len)));
    char viaHandle[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(main, viaHandle, sizeof viaHandle), n);
    EXPECT_STREQ(viaHandle, buf);
}

TEST(Modules, FileNameTruncation) {
    char full[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, full, sizeof full);
    ASSERT_GT(n, 4u);
    char small[5];
    std::memset(small, 'x', sizeof small);
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small), std::string(full, 4)) << "truncated and terminated";
    SetLastError(0);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, 0), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(0x1234), full, sizeof full), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(Modules, LoadingTheSameFileGivesTheSameHandle) {
    std::string file = kvwin32File();
    HMODULE linked = moduleOf(reinterpret_cast<void*>(&GetLastError));
    HMODULE a = LoadLibraryA(file.c_str());
    ASSERT_NE(a, nullptr) << file;
    HMODULE b = LoadLibraryExA(file.c_str(), nullptr, 0);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, linked) << "already loaded by the linker";
    auto proc = GetProcAddress(a, "GetLastError");
    EXPECT_EQ(reinterpret_cast<void*>(proc), reinterpret_cast<void*>(&GetLastError));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(a, "SetLastError")),
              reinterpret_cast<void*>(&SetLastError));
    EXPECT_TRUE(FreeLibrary(a));
    EXPECT_TRUE(FreeLibrary(b));
}

TEST(Modules, DllNameFindsTheSharedObjectBesideIt) {
    kvtest::TempDir dir;
    std::string target = hostOf(kvwin32File());
    ASSERT_EQ(symlink(target.c_str(), dir.host("plugin.so").c_str()), 0);
    HMODULE linked = moduleOf(reinterpret_cast<void*>(&GetLastError));

    for (const char* name : {"plugin.dll", "plugin"}) {
        SCOPED_TRACE(name);
        HMODULE module = LoadLibraryA(dir.win(name).c_str());
        ASSERT_NE(module, nullptr);
        // The link leads to the object already loaded, which keeps its handle.
        EXPECT_EQ(module, linked);
        EXPECT_TRUE(FreeLibrary(module));
    }
    HMODULE data = LoadLibraryExA(dir.win("plugin.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(FreeLibrary(data));
}

TEST(Modules, LoadFailures) {
    kvtest::TempDir dir;
    struct Row {
        std::string name;
        DWORD error;
    };
    dir.write("garbage.so", "this is not an object file");
    const Row rows[] = {
        {dir.win("missing.dll"), ERROR_MOD_NOT_FOUND},
        {"kv_no_such_module_anywhere.dll", ERROR_MOD_NOT_FOUND},
        {dir.win("garbage.dll"), ERROR_BAD_EXE_FORMAT},
        {"", ERROR_MOD_NOT_FOUND},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA(row.name.c_str()), nullptr);
        EXPECT_EQ(GetLastError(), row.error);
    }
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Modules, ProcAddressAndHandleFailures) {
    HMODULE main = GetModuleHandleA(nullptr);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(main, "kv_no_such_symbol_at_all"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(main, reinterpret_cast<LPCSTR>(7)), nullptr) << "ordinal";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(0x4242), "GetLastError"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(0x4242)));
    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA("kv_not_loaded.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    // The main program's global scope reaches the kernel services it links.
    EXPECT_NE(GetProcAddress(nullptr, "GetLastError"), nullptr);
}

TEST(Modules, ModuleHandleOfALinkedObjectByName) {
    std::string file = kvwin32File();
    std::string base = file.substr(file.rfind('\\') + 1);
    HMODULE byName = GetModuleHandleA(base.c_str());
    ASSERT_NE(byName, nullptr) << base;
    EXPECT_EQ(byName, moduleOf(reinterpret_cast<void*>(&SetLastError)));

    HMODULE fromAddress = nullptr;
    EXPECT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                   reinterpret_cast<LPCSTR>(&SetLastError), &fromAddress));
    EXPECT_EQ(fromAddress, byName);
    HMODULE viaName = nullptr;
    EXPECT_TRUE(GetModuleHandleExA(0, base.c_str(), &viaName));
    EXPECT_EQ(viaName, byName);
    SetLastError(0);
    EXPECT_FALSE(GetModuleHandleExA(0, "no-such-module.dll", &viaName));
    EXPECT_EQ(viaName, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(GetModuleHandleExA(0, nullptr, nullptr));
}

// Needs the kvtestmodule target built beside the test program.
TEST(Modules, BareNameIsLookedForBesideTheProgram) {
    char exe[4096];
    ssize_t len = readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(len, 0);
    std::string folder(exe, static_cast<std::size_t>(len));
    folder.erase(folder.rfind('/'));
    ASSERT_EQ(access((folder + "/kvtestmodule.so").c_str(), F_OK), 0)
        << "kvtestmodule.so is not built beside the tests";
    HMODULE module = LoadLibraryA("kvtestmodule.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(LoadLibraryA("kvtestmodule"), module);
    using Answer = int (*)();
    auto answer = reinterpret_cast<Answer>(GetProcAddress(module, "kvTestModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(GetModuleHandleA("kvtestmodule.dll"), module);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module)) << "the last reference is gone";
}

}  // namespace
