// The folder browser and item id lists: the callback's set-up through the browser window,
// the answer, the display name, and the task allocator the lists come from.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "WindowFixture.h"
#include "kvwin32/desktop.h"
#include "kvwin32/drives.h"
#include "kvwin32/objbase.h"
#include "kvwin32/shlobj.h"
#include "kvwin32/winbase.h"

namespace {

// What the callback saw.
struct CallbackLog {
    std::vector<UINT> messages;
    std::vector<std::string> selections;  // the path of each BFFM_SELCHANGED
    const char* preselect = nullptr;
    const char* status = nullptr;
    bool disableOk = false;
    LPARAM data = 0;
};

int browseCallback(HWND hwnd, UINT msg, LPARAM lParam, LPARAM data) {
    auto* log = reinterpret_cast<CallbackLog*>(data);
    log->messages.push_back(msg);
    log->data = data;
    if (msg == BFFM_INITIALIZED) {
        if (log->preselect) {
            SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(log->preselect));
        }
        if (log->status) {
            SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(log->status));
        }
    } else if (msg == BFFM_SELCHANGED) {
        char path[MAX_PATH];
        BOOL isPath = SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path);
        log->selections.push_back(isPath ? path : "<none>");
        SendMessageA(hwnd, BFFM_ENABLEOK, 0, !log->disableOk);
    }
    return 0;
}

class FolderBrowserTest : public kvtest::WindowFixture {
  protected:
    void SetUp() override {
        m_tmp.mkdir("sim/run");
        ASSERT_TRUE(kvwin32::setDriveTable("C:=" + m_tmp.host()));
        m_info.lpszTitle = "Choose the checkpoint folder";
        m_info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_STATUSTEXT;
        m_info.lpfn = browseCallback;
        m_info.lParam = reinterpret_cast<LPARAM>(&m_log);
        m_info.pszDisplayName = m_name;
    }
    kvwin32::ScriptedDesktop& scripted() {
        return static_cast<kvwin32::ScriptedDesktop&>(kvwin32::desktop());
    }

    kvwin32::PathStateSaver m_saved;
    kvtest::TempDir m_tmp;
    kvwin32::DesktopScope m_scope{std::make_unique<kvwin32::ScriptedDesktop>()};
    CallbackLog m_log;
    char m_name[MAX_PATH] = "";
    BROWSEINFOA m_info{};
};

TEST_F(FolderBrowserTest, CallbackSetsUpTheBrowserAndTheAnswerComesBackAsAList) {
    m_log.preselect = "C:\\sim";
    m_log.status = "Pick one";
    scripted().queueFolderAnswer("C:\\sim\\run");
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&m_info);
    ASSERT_NE(pidl, nullptr);
    char path[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDListA(pidl, path));
    EXPECT_STREQ(path, "C:\\sim\\run");
    EXPECT_STREQ(m_name, "run");
    EXPECT_EQ(m_log.messages,
              (std::vector<UINT>{BFFM_INITIALIZED, BFFM_SELCHANGED, BFFM_SELCHANGED}));
    EXPECT_EQ(m_log.selections, (std::vector<std::string>{"C:\\sim", "C:\\sim\\run"}));
    EXPECT_EQ(m_log.data, reinterpret_cast<LPARAM>(&m_log));

    const kvwin32::TranscriptEntry* entry =
        kvwin32::desktop().transcript().last(kvwin32::TranscriptKind::folderDialog);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->caption, "Choose the checkpoint folder");
    EXPECT_EQ(entry->initialFolder, "C:\\sim");
    EXPECT_EQ(entry->initialName, "Pick one");
    EXPECT_EQ(entry->line,
              "folder-dialog \"Choose the checkpoint folder\" selection \"C:\\\\sim\" "
              "status \"Pick one\" -> \"C:\\\\sim\\\\run\"");

    // The list came from the task allocator: the shell's allocator frees it.
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    EXPECT_EQ(malloc->DidAlloc(pidl), 1);
    EXPECT_EQ(malloc->GetSize(pidl), ILGetSize(pidl));
    malloc->Free(pidl);
    malloc->Release();
    // Its window is gone.
    EXPECT_EQ(FindWindowA("KvFolderBrowser", nullptr), nullptr);
}

TEST_F(FolderBrowserTest, CancelMissingFolderAndDisabledOkGiveNoList) {
    scripted().queueFolderAnswer(std::nullopt);
    EXPECT_EQ(SHBrowseForFolderA(&m_info), nullptr);
    scripted().queueFolderAnswer("C:\\nowhere");
    EXPECT_EQ(SHBrowseForFolderA(&m_info), nullptr);
    m_log.disableOk = true;
    scripted().queueFolderAnswer("C:\\sim");
    EXPECT_EQ(SHBrowseForFolderA(&m_info), nullptr);
    std::vector<std::string> notes;
    for (const kvwin32::TranscriptEntry* e :
         kvwin32::desktop().transcript().entriesOf(kvwin32::TranscriptKind::note)) {
        notes.push_back(e->line);
    }
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "folder-dialog refused: \"C:\\\\nowhere\" is not a folder",
                         "folder-dialog refused: OK is disabled for \"C:\\\\sim\""}));
    EXPECT_EQ(SHBrowseForFolderA(nullptr), nullptr);
}

TEST_F(FolderBrowserTest, WorksWithoutCallbackAndDisplaysARootByItsDrive) {
    m_info.lpfn = nullptr;
    scripted().queueFolderAnswer("C:\\");
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&m_info);
    ASSERT_NE(pidl, nullptr);
    EXPECT_STREQ(m_name, "C:");
    CoTaskMemFree(pidl);
}

TEST(ItemIdList, PathsRoundTripAndBadListsNameNothing) {
    PIDLIST_ABSOLUTE pidl = ILCreateFromPathA("C:\\sim\\a b");
    char path[MAX_PATH] = "x";
    ASSERT_TRUE(SHGetPathFromIDListA(pidl, path));
    EXPECT_STREQ(path, "C:\\sim\\a b");
    EXPECT_EQ(ILGetSize(pidl), 2u + 10u + 1u + 2u);
    ILFree(pidl);
    ILFree(nullptr);
    BYTE empty[2] = {0, 0};
    EXPECT_FALSE(SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(empty), path));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(SHGetPathFromIDListA(nullptr, path));
    EXPECT_FALSE(SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(empty), nullptr));
    EXPECT_EQ(ILGetSize(reinterpret_cast<PCIDLIST_ABSOLUTE>(empty)), 2u);
}

TEST(TaskAllocator, AllocReallocFreeKeepContents) {
    IMalloc* malloc = nullptr;
    ASSERT_EQ(CoGetMalloc(1, &malloc), S_OK);
    EXPECT_EQ(CoGetMalloc(2, &malloc), E_INVALIDARG);
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    auto* block = static_cast<char*>(malloc->Alloc(4));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "abc", 4);
    block = static_cast<char*>(malloc->Realloc(block, 100));
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "abc");
    EXPECT_EQ(malloc->GetSize(block), 100u);
    EXPECT_EQ(malloc->GetSize(nullptr), static_cast<SIZE_T>(-1));
    EXPECT_EQ(malloc->Realloc(block, 0), nullptr);  // frees
    malloc->Free(nullptr);
    void* raw = CoTaskMemAlloc(8);
    EXPECT_EQ(malloc->DidAlloc(raw), 1);
    raw = CoTaskMemRealloc(raw, 16);
    CoTaskMemFree(raw);
    // IID_IMalloc is answered with the allocator itself; other interfaces are not.
    alignas(4) const BYTE iidMalloc[16] = {2, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
    alignas(4) const BYTE iidOther[16] = {9};
    void* object = nullptr;
    EXPECT_EQ(malloc->QueryInterface(*reinterpret_cast<const IID*>(iidMalloc), &object), S_OK);
    EXPECT_EQ(object, static_cast<void*>(malloc));
    EXPECT_EQ(malloc->QueryInterface(*reinterpret_cast<const IID*>(iidOther), &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(malloc->QueryInterface(*reinterpret_cast<const IID*>(iidMalloc), nullptr), E_POINTER);
    malloc->Release();
}

}  // namespace
