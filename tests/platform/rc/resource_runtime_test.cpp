// FindResource, LoadResource, SizeofResource and LoadStringA over the sample script that
// kv_add_resources compiled into this program (data/sample.rc), and over the same script in a
// resource-only library.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "kvwin32/drives.h"
#include "kvwin32/resources.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "testres.h"

namespace {

// Sets the user's locale (LC_ALL) for a test and puts the old value back.
class ScopedLocale {
  public:
    explicit ScopedLocale(const char* locale) {
        if (const char* old = std::getenv("LC_ALL"))
            m_old = old;
        setenv("LC_ALL", locale, 1);
    }
    ~ScopedLocale() {
        if (m_old)
            setenv("LC_ALL", m_old->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

  private:
    std::optional<std::string> m_old;
};

// Registers this program's resources for the test, in an English (United States) locale, and
// takes them away afterwards.
class ProgramResources : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, &kvResourceDirectory));
    }
    void TearDown() override { KvRegisterResourceDirectory(nullptr, nullptr); }

    ScopedLocale m_locale{"en_US"};

    static std::vector<BYTE> bytesOf(HMODULE module, HRSRC found) {
        auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        if (!data)
            return {};
        return std::vector<BYTE>(data, data + SizeofResource(module, found));
    }
};

TEST_F(ProgramResources, DialogsByOrdinalNameAndHashNumber) {
    HRSRC byOrdinal = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SAMPLE), RT_DIALOG);
    ASSERT_NE(byOrdinal, nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#100", RT_DIALOG), byOrdinal);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(100), "#5"), byOrdinal);
    std::vector<BYTE> bytes = bytesOf(nullptr, byOrdinal);
    ASSERT_GE(bytes.size(), 26u);
    EXPECT_EQ(bytes[0], 1);  // dlgVer
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[16], 5);  // five controls
    // The module handle of the main program finds the same resource.
    EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SAMPLE), RT_DIALOG),
              byOrdinal);

    HRSRC byName = FindResourceA(nullptr, "Sample_By_Name", RT_DIALOG);
    ASSERT_NE(byName, nullptr);
    EXPECT_NE(byName, byOrdinal);
    EXPECT_EQ(FindResourceA(nullptr, "SAMPLE_BY_NAME", MAKEINTRESOURCEA(5)), byName);
}

TEST_F(ProgramResources, MissingResourcesSayWhy) {
    SetLastError(0);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(999), RT_DIALOG), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(FindResourceA(nullptr, "NO_SUCH_NAME", RT_DIALOG), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, nullptr, nullptr), nullptr);
}

TEST_F(ProgramResources, BitmapIconAndCursor) {
    HRSRC bitmap = FindResourceA(nullptr, MAKEINTRESOURCEA(IDB_CHECK), RT_BITMAP);
    ASSERT_NE(bitmap, nullptr);
    std::vector<BYTE> dib = bytesOf(nullptr, bitmap);
    ASSERT_EQ(dib.size(), 70u - 14u);  // the 2x2 bitmap file without BITMAPFILEHEADER
    EXPECT_EQ(dib[0], 40);             // BITMAPINFOHEADER size

    std::vector<BYTE> group =
        bytesOf(nullptr, FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_APP), RT_GROUP_ICON));
    ASSERT_EQ(group.size(), 6u + 2 * 14);
    EXPECT_EQ(group[4], 2);  // two images
    for (int i = 0; i < 2; ++i) {
        WORD id = static_cast<WORD>(group[6 + 14 * i + 12] | (group[6 + 14 * i + 13] << 8));
        HRSRC image = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_ICON);
        ASSERT_NE(image, nullptr) << "icon image " << id;
        EXPECT_EQ(SizeofResource(nullptr, image), 48u);
    }
    HRSRC cursor = FindResourceA(nullptr, MAKEINTRESOURCEA(IDC_HAND), RT_GROUP_CURSOR);
    ASSERT_NE(cursor, nullptr);
}

struct StringRow {
    UINT id;
    int bufferMax;
    int result;
    const char* text;
};

const StringRow kStrings[] = {
    {IDS_GREETING, 100, 12, "Hello, world"},
    {IDS_QUOTED, 100, 12, "Say \"hi\"\tnow"},
    {IDS_ACCENTED, 100, 8, "Caf\xE9 \x80 5"},  // back in Windows-1252
    {IDS_LONG, 100, 20, "0123456789abcdefghij"},
    {IDS_LONG, 21, 20, "0123456789abcdefghij"},
    {IDS_LONG, 20, 19, "0123456789abcdefghi"},
    {IDS_LONG, 5, 4, "0123"},
    {IDS_LONG, 2, 1, "0"},
    {IDS_LONG, 1, 0, ""},
    {0xFFFF0000u | IDS_LONG, 100, 20, "0123456789abcdefghij"},  // only the low word counts
};

TEST_F(ProgramResources, LoadStringCopiesConvertsAndTruncates) {
    for (const StringRow& row : kStrings) {
        SCOPED_TRACE(::testing::Message() << "id " << row.id << ", buffer " << row.bufferMax);
        char buffer[128];
        std::memset(buffer, 'X', sizeof buffer);
        SetLastError(0xDEADBEEF);
        EXPECT_EQ(LoadStringA(nullptr, row.id, buffer, row.bufferMax), row.result);
        EXPECT_STREQ(buffer, row.text);
        EXPECT_EQ(buffer[row.bufferMax], 'X') << "wrote past the buffer";
        EXPECT_EQ(GetLastError(), 0xDEADBEEFu);
    }
}

TEST_F(ProgramResources, LoadStringOfMissingStringsAndOddBuffers) {
    char buffer[16];
    std::memset(buffer, 'X', sizeof buffer);
    SetLastError(0);
    EXPECT_EQ(LoadStringA(nullptr, 9, buffer, sizeof buffer), 0);  // empty slot of block 1
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(LoadStringA(nullptr, 5000, buffer, sizeof buffer), 0);  // no such block
    EXPECT_NE(GetLastError(), 0u);

    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(LoadStringA(nullptr, IDS_GREETING, buffer, 0), -1);  // as Windows: untouched
    EXPECT_EQ(buffer[0], 'X');
    EXPECT_EQ(LoadStringA(nullptr, IDS_GREETING, nullptr, 10), 0);
}

TEST_F(ProgramResources, StringsFollowTheUserLanguageBlockByBlock) {
    ScopedLocale german("de_DE");
    char buffer[32];
    EXPECT_EQ(LoadStringA(nullptr, IDS_GREETING, buffer, sizeof buffer), 11);
    EXPECT_STREQ(buffer, "Hallo, Welt");
    // Windows chooses the language of a whole block: the German block lacks this string.
    EXPECT_EQ(LoadStringA(nullptr, IDS_QUOTED, buffer, sizeof buffer), 0);
    // Block 2 exists only in English.
    EXPECT_EQ(LoadStringA(nullptr, IDS_ACCENTED, buffer, sizeof buffer), 8);
}

TEST_F(ProgramResources, LanguagesFallBackFromExactToNeutralToAny) {
    HRSRC german = FindResourceExA(nullptr, RT_STRING, MAKEINTRESOURCEA(1), 0x0407);
    HRSRC english = FindResourceExA(nullptr, RT_STRING, MAKEINTRESOURCEA(1), 0x0409);
    ASSERT_NE(german, nullptr);
    ASSERT_NE(english, nullptr);
    EXPECT_NE(german, english);
    std::vector<BYTE> g = bytesOf(nullptr, german);
    // Slot 7 of the German block is "Hallo, Welt": seven empty slots, then its length.
    ASSERT_GE(g.size(), 18u);
    EXPECT_EQ(g[14], 11);
    EXPECT_EQ(g[16], 'H');
    EXPECT_EQ(g[18], 'a');
    // A language the module lacks still finds one of the blocks.
    EXPECT_NE(FindResourceExA(nullptr, RT_STRING, MAKEINTRESOURCEA(1), 0x0411), nullptr);
}

TEST(ResourceLanguages, PreferenceOrder) {
    static const BYTE kBytes[] = {0, 0, 0, 0};
    auto entry = [](WORD language) {
        return KvResourceEntry{{nullptr, 10}, {nullptr, 1}, language, kBytes, 4};
    };
    const KvResourceEntry withNeutral[] = {entry(0x0409), entry(0x0000), entry(0x0007),
                                           entry(0x0407)};
    const KvResourceEntry withoutNeutral[] = {entry(0x0411), entry(0x0409)};
    const KvResourceDirectory a{KV_RESOURCE_DIRECTORY_MAGIC, KV_RESOURCE_DIRECTORY_VERSION, 4,
                                withNeutral};
    const KvResourceDirectory b{KV_RESOURCE_DIRECTORY_MAGIC, KV_RESOURCE_DIRECTORY_VERSION, 2,
                                withoutNeutral};
    HMODULE fake = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x7e570000));
    struct Row {
        const KvResourceDirectory* directory;
        WORD asked;
        WORD found;
    } rows[] = {
        {&a, 0x0407, 0x0407}, {&a, 0x0807, 0x0007}, {&a, 0x0409, 0x0409},
        {&a, 0x0411, 0x0000}, {&b, 0x0407, 0x0411}, {&b, 0x0409, 0x0409},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::hex << "asked 0x" << row.asked);
        ASSERT_TRUE(KvRegisterResourceDirectory(fake, row.directory));
        HRSRC found = FindResourceExA(fake, RT_RCDATA, MAKEINTRESOURCEA(1), row.asked);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(reinterpret_cast<const KvResourceEntry*>(found)->language, row.found);
    }
    KvRegisterResourceDirectory(fake, nullptr);
}

TEST(ResourceHandles, UnknownModulesAndForeignHandlesFailSafely) {
    HMODULE unknown = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x5ca1ab1e));
    SetLastError(0);
    EXPECT_EQ(FindResourceA(unknown, MAKEINTRESOURCEA(1), RT_DIALOG), nullptr);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(LoadStringA(unknown, 1, nullptr, 0), -1);
    char buffer[8] = "XXXXXXX";
    EXPECT_EQ(LoadStringA(unknown, 1, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");

    // A handle that names no entry of the module's directory is refused, never read.
    KvResourceEntry stray{};
    ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, &kvResourceDirectory));
    HRSRC bogus = reinterpret_cast<HRSRC>(&stray);
    SetLastError(0);
    EXPECT_EQ(LoadResource(nullptr, bogus), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
    EXPECT_EQ(SizeofResource(nullptr, bogus), 0u);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    HRSRC real = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SAMPLE), RT_DIALOG);
    HRSRC misaligned = reinterpret_cast<HRSRC>(reinterpret_cast<char*>(real) + 1);
    EXPECT_EQ(LoadResource(nullptr, misaligned), nullptr);
    EXPECT_EQ(LoadResource(unknown, real), nullptr);
    KvRegisterResourceDirectory(nullptr, nullptr);
    EXPECT_EQ(FreeResource(nullptr), FALSE);
}

TEST(ResourceRegistration, RefusesForeignLayoutsAndCanBeUndone) {
    KvResourceDirectory wrong{0x12345678, KV_RESOURCE_DIRECTORY_VERSION, 0, nullptr};
    SetLastError(0);
    EXPECT_FALSE(KvRegisterResourceDirectory(nullptr, &wrong));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    wrong.magic = KV_RESOURCE_DIRECTORY_MAGIC;
    wrong.version = 99;
    EXPECT_FALSE(KvRegisterResourceDirectory(nullptr, &wrong));

    // A program exports nothing: without its registration it has no resources.
    ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, &kvResourceDirectory));
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SAMPLE), RT_DIALOG), nullptr);
    ASSERT_TRUE(KvRegisterResourceDirectory(nullptr, nullptr));
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SAMPLE), RT_DIALOG), nullptr);
}

TEST(ResourceLibrary, DataFileLibraryIsFoundThroughItsExportedDirectory) {
    ScopedLocale english("en_US");
    auto path = kvwin32::windowsFromHost(RC_TESTRES_PATH);
    ASSERT_TRUE(path.has_value());
    HMODULE library = LoadLibraryExA(path->c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(library, nullptr) << "error " << GetLastError();
    HRSRC dialog = FindResourceA(library, MAKEINTRESOURCEA(IDD_SAMPLE), RT_DIALOG);
    ASSERT_NE(dialog, nullptr);
    EXPECT_GT(SizeofResource(library, dialog), 26u);
    EXPECT_NE(LoadResource(library, dialog), nullptr);
    char buffer[32];
    EXPECT_EQ(LoadStringA(library, IDS_GREETING, buffer, sizeof buffer), 12);
    EXPECT_STREQ(buffer, "Hello, world");
    // The library's directory is not the program's.
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SAMPLE), RT_DIALOG), nullptr);
    FreeLibrary(library);
}

}  // namespace
