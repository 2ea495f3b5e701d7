// The registry functions: handles, key paths, values and their sizes, predefined-key overrides.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "kvwin32/registry_file.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winreg.h"

namespace {

class Registry : public ::testing::Test {
  protected:
    void SetUp() override { kvwin32::clearRegistry(); }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        kvwin32::clearRegistry();
    }

    static HKEY create(HKEY root, const char* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, disposition),
                  ERROR_SUCCESS)
            << path;
        return key;
    }
    static LONG open(HKEY root, const char* path, HKEY* key) {
        return RegOpenKeyExA(root, path, 0, KEY_READ, key);
    }
    static void setString(HKEY key, const char* name, const char* text, DWORD type = REG_SZ) {
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(std::strlen(text) + 1)),
                  ERROR_SUCCESS);
    }
    static std::string queryString(HKEY key, const char* name) {
        char buf[256] = "";
        DWORD size = sizeof buf;
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size),
                  ERROR_SUCCESS);
        return buf;
    }
};

TEST_F(Registry, CreateMakesEveryLevelAndReportsDisposition) {
    DWORD disposition = 0;
    HKEY deep = create(HKEY_CURRENT_USER, "Software\\Kv\\Tessel\\Settings", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    HKEY again = create(HKEY_CURRENT_USER, "SOFTWARE\\kv\\TESSEL\\settings\\", &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    HKEY middle = nullptr;
    ASSERT_EQ(open(HKEY_CURRENT_USER, "software\\KV", &middle), ERROR_SUCCESS);
    HKEY viaMiddle = nullptr;
    EXPECT_EQ(open(middle, "Tessel\\Settings", &viaMiddle), ERROR_SUCCESS);
    setString(deep, "Name", "value");
    EXPECT_EQ(queryString(viaMiddle, "NAME"), "value") << "handles name the same key";
    for (HKEY key : {deep, again, middle, viaMiddle})
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, OpenFailures) {
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(open(HKEY_LOCAL_MACHINE, "Software\\Missing", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(open(HKEY_LOCAL_MACHINE, "\\Software", &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(open(HKEY_LOCAL_MACHINE, "A\\\\B", &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(open(reinterpret_cast<HKEY>(0x12345678), "x", &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(open(HKEY_LOCAL_MACHINE, "x", nullptr), ERROR_INVALID_PARAMETER);
    // A failed open leaves nothing behind to find later.
    EXPECT_EQ(open(HKEY_LOCAL_MACHINE, "Software\\Missing", &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, NullOrEmptySubkeyReopensTheKey) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Kv");
    for (const char* sub : {static_cast<const char*>(nullptr), ""}) {
        HKEY same = nullptr;
        ASSERT_EQ(open(key, sub, &same), ERROR_SUCCESS);
        EXPECT_NE(same, key) << "a new handle";
        setString(same, "v", sub ? "empty" : "null");
        EXPECT_EQ(queryString(key, "v"), sub ? "empty" : "null");
        EXPECT_EQ(RegCloseKey(same), ERROR_SUCCESS);
    }
    RegCloseKey(key);
}

TEST_F(Registry, CloseRules) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Kv");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE) << "double close";
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(0x4444)), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    HKEY stale = nullptr;
    EXPECT_EQ(open(key, "", &stale), ERROR_INVALID_HANDLE) << "a closed handle names nothing";
}

TEST_F(Registry, ValueSizesTypesAndBuffers) {
    HKEY key = create(HKEY_LOCAL_MACHINE, "Software\\Kv");
    setString(key, "Text", "abc");
    DWORD dword = 0x1a;
    ASSERT_EQ(RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dword), 4),
              ERROR_SUCCESS);
    const char multi[] = "one\0two\0";
    ASSERT_EQ(RegSetValueExA(key, "List", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi),
                             sizeof multi),
              ERROR_SUCCESS);

    struct Row {
        const char* name;
        DWORD type;
        DWORD size;
    };
    const Row rows[] = {{"Text", REG_SZ, 4}, {"count", REG_DWORD, 4}, {"LIST", REG_MULTI_SZ, 9}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DWORD type = 0, size = 0;
        EXPECT_EQ(RegQueryValueExA(key, row.name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, row.type);
        EXPECT_EQ(size, row.size);

        BYTE small[16];
        std::memset(small, 0xEE, sizeof small);
        size = row.size - 1;
        type = 0;
        EXPECT_EQ(RegQueryValueExA(key, row.name, nullptr, &type, small, &size), ERROR_MORE_DATA);
        EXPECT_EQ(size, row.size) << "the size needed";
        EXPECT_EQ(type, row.type);

        size = sizeof small;
        EXPECT_EQ(RegQueryValueExA(key, row.name, nullptr, nullptr, small, &size), ERROR_SUCCESS);
        EXPECT_EQ(size, row.size);
    }
    DWORD read = 0, size = 4;
    ASSERT_EQ(
        RegQueryValueExA(key, "Count", nullptr, nullptr, reinterpret_cast<BYTE*>(&read), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(read, 0x1au);

    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    BYTE buf[4];
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, buf, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(Registry, StringsGainTheTerminatorCallersForgetToCount) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Kv");
    ASSERT_EQ(RegSetValueExA(key, "NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3),
              ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "NoNul", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(queryString(key, "NoNul"), "abc");
    const BYTE raw[3] = {1, 2, 3};
    ASSERT_EQ(RegSetValueExA(key, "Raw", 0, REG_BINARY, raw, 3), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "Raw", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 3u) << "binary data is kept as given";
    EXPECT_NE(RegSetValueExA(key, "Bad", 0, REG_BINARY, nullptr, 3), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(Registry, DefaultValueHasNullOrEmptyName) {
    HKEY key = create(HKEY_CLASSES_ROOT, ".cir");
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, nullptr, nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    setString(key, nullptr, "Kv.Circuit");
    EXPECT_EQ(queryString(key, ""), "Kv.Circuit");
    setString(key, "", "Kv.Circuit.2");
    EXPECT_EQ(queryString(key, nullptr), "Kv.Circuit.2");
    RegCloseKey(key);
}

TEST_F(Registry, HandlesToDeletedKeysFailButClose) {
    HKEY parent = create(HKEY_CURRENT_USER, "Software\\Kv");
    HKEY child = create(parent, "Child\\Grandchild");
    EXPECT_EQ(RegDeleteKeyA(parent, "Child"), ERROR_ACCESS_DENIED) << "has subkeys";
    ASSERT_EQ(RegDeleteTreeA(parent, "child"), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(child, "x", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(open(parent, "Child", &gone), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(parent, "Child"), ERROR_FILE_NOT_FOUND);

    HKEY leaf = create(parent, "Leaf");
    setString(leaf, "v", "1");
    EXPECT_EQ(RegDeleteValueA(leaf, "V"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(leaf, "V"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(parent, "leaf"), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(leaf), ERROR_SUCCESS);
    RegCloseKey(parent);
}

TEST_F(Registry, ClearEmptiesEverything) {
    HKEY key = create(HKEY_LOCAL_MACHINE, "Software\\Kv");
    setString(HKEY_LOCAL_MACHINE, "RootValue", "x");
    kvwin32::clearRegistry();
    HKEY again = nullptr;
    EXPECT_EQ(open(HKEY_LOCAL_MACHINE, "Software", &again), ERROR_FILE_NOT_FOUND);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(HKEY_LOCAL_MACHINE, "RootValue", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(Registry, OverridePredefinedKeyRedirectsUntilRestored) {
    HKEY classes = create(HKEY_CURRENT_USER, "Software\\Classes");
    ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, classes), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(classes), ERROR_SUCCESS) << "the override keeps its own reference";
    HKEY ext = create(HKEY_CLASSES_ROOT, ".cir");
    RegCloseKey(ext);
    HKEY seen = nullptr;
    EXPECT_EQ(open(HKEY_CURRENT_USER, "Software\\Classes\\.cir", &seen), ERROR_SUCCESS);
    RegCloseKey(seen);

    ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(open(HKEY_CLASSES_ROOT, ".cir", &seen), ERROR_FILE_NOT_FOUND);

    HKEY plain = create(HKEY_CURRENT_USER, "Software");
    EXPECT_EQ(RegOverridePredefKey(plain, HKEY_CURRENT_USER), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, reinterpret_cast<HKEY>(0x4444)),
              ERROR_INVALID_HANDLE);
    RegCloseKey(plain);
}

}  // namespace
