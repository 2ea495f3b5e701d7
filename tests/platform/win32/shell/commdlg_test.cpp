// The common file dialogs: what the desktop is asked, how a typed answer becomes the result
// (folder, default extension, existence checks, overwrite question), the buffer rules and
// the extended errors.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "kvwin32/commdlg.h"
#include "kvwin32/desktop.h"
#include "kvwin32/drives.h"
#include "kvwin32/styles.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winuser_msgbox.h"

namespace {

// C: is a temporary folder with C:\data\a.txt and C:\data\old.cir; the desktop is scripted.
class FileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_tmp.write("data/a.txt", "a");
        m_tmp.write("data/old.cir", "c");
        m_tmp.mkdir("other");
        ASSERT_TRUE(kvwin32::setDriveTable("C:=" + m_tmp.host()));
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\other"));
        std::memset(m_file, 0, sizeof m_file);
        m_ofn = OPENFILENAMEA{};
        m_ofn.lStructSize = sizeof m_ofn;
        m_ofn.lpstrFile = m_file;
        m_ofn.nMaxFile = sizeof m_file;
        m_ofn.lpstrInitialDir = "C:\\data";
        m_ofn.Flags = OFN_NOCHANGEDIR;
    }

    kvwin32::ScriptedDesktop& scripted() {
        return static_cast<kvwin32::ScriptedDesktop&>(kvwin32::desktop());
    }
    const kvwin32::TranscriptEntry* lastDialog() {
        return kvwin32::desktop().transcript().last(kvwin32::TranscriptKind::fileDialog);
    }
    std::string current() {
        char buffer[MAX_PATH];
        DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
        return std::string(buffer, n);
    }

    kvwin32::PathStateSaver m_saved;
    kvtest::TempDir m_tmp;
    kvwin32::DesktopScope m_scope{std::make_unique<kvwin32::ScriptedDesktop>()};
    char m_file[MAX_PATH] = {};
    OPENFILENAMEA m_ofn{};
};

TEST_F(FileDialogTest, OpenAsksWithFilterFolderAndNameAndResolvesARelativeAnswer) {
    m_ofn.lpstrFilter = "Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";
    m_ofn.nFilterIndex = 2;
    m_ofn.lpstrTitle = "Load";
    std::strcpy(m_file, "start.txt");
    char title[8];
    m_ofn.lpstrFileTitle = title;
    m_ofn.nMaxFileTitle = sizeof title;
    scripted().queueFileAnswer("a.txt");
    ASSERT_TRUE(GetOpenFileNameA(&m_ofn));
    EXPECT_STREQ(m_file, "C:\\data\\a.txt");
    EXPECT_EQ(m_ofn.nFileOffset, 8);
    EXPECT_EQ(m_ofn.nFileExtension, 10);
    EXPECT_STREQ(title, "a.txt");
    EXPECT_EQ(CommDlgExtendedError(), 0u);

    const kvwin32::TranscriptEntry* dialog = lastDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fileKind, kvwin32::FileDialogKind::open);
    EXPECT_EQ(dialog->caption, "Load");
    EXPECT_EQ(dialog->filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_EQ(dialog->initialFolder, "C:\\data");
    EXPECT_EQ(dialog->initialName, "start.txt");
    EXPECT_EQ(dialog->line,
              "file-dialog open \"Load\" filter \"Text Files (*.txt)|*.txt|All Files "
              "(*.*)|*.*\" folder \"C:\\\\data\" name \"start.txt\" -> \"a.txt\"");
}

struct AnswerRow {
    const char* label;
    bool save;
    DWORD flags;
    const char* defExt;
    const char* answer;
    const char* result;  // null: the dialog ends as cancelled
};

const AnswerRow kAnswerRows[] = {
    {"absolute answer", false, 0, nullptr, "C:\\other\\x.dat", "C:\\other\\x.dat"},
    {"dots are resolved", false, 0, nullptr, "..\\other\\y", "C:\\other\\y"},
    {"default extension added", true, 0, "cir", "out", "C:\\data\\out.cir"},
    {"pattern as default extension", true, 0, "*.mcp", "params", "C:\\data\\params.mcp"},
    {"extension kept", true, 0, "cir", "out.net", "C:\\data\\out.net"},
    {"file must exist: there", false, OFN_FILEMUSTEXIST, nullptr, "old.cir", "C:\\data\\old.cir"},
    {"file must exist: missing", false, OFN_FILEMUSTEXIST, nullptr, "none.cir", nullptr},
    {"file must exist: a folder", false, OFN_FILEMUSTEXIST, nullptr, "C:\\other", nullptr},
    {"path must exist: missing folder", true, OFN_PATHMUSTEXIST, nullptr, "C:\\nope\\a.cir",
     nullptr},
    {"path must exist: folder there", true, OFN_PATHMUSTEXIST, nullptr, "C:\\other\\new.cir",
     "C:\\other\\new.cir"},
    {"save ignores file must exist", true, OFN_FILEMUSTEXIST, nullptr, "new.cir",
     "C:\\data\\new.cir"},
    {"wildcards are no file name", false, 0, nullptr, "*.cir", nullptr},
    {"empty answer", false, 0, nullptr, "  ", nullptr},
    {"open ignores the overwrite question", false, OFN_OVERWRITEPROMPT, nullptr, "old.cir",
     "C:\\data\\old.cir"},
};

TEST_F(FileDialogTest, AnswersBecomeResultsAsTypedNamesDo) {
    for (const AnswerRow& row : kAnswerRows) {
        SCOPED_TRACE(row.label);
        std::memset(m_file, 0, sizeof m_file);
        m_ofn.Flags = OFN_NOCHANGEDIR | row.flags;
        m_ofn.lpstrDefExt = row.defExt;
        scripted().queueFileAnswer(std::string(row.answer));
        BOOL ok = row.save ? GetSaveFileNameA(&m_ofn) : GetOpenFileNameA(&m_ofn);
        EXPECT_EQ(CommDlgExtendedError(), 0u);
        if (row.result == nullptr) {
            EXPECT_FALSE(ok);
            const kvwin32::TranscriptEntry* note =
                kvwin32::desktop().transcript().last(kvwin32::TranscriptKind::note);
            ASSERT_NE(note, nullptr);
            EXPECT_EQ(note->line.rfind("file-dialog refused: ", 0), 0u) << note->line;
            kvwin32::desktop().transcript().clear();
        } else {
            EXPECT_TRUE(ok);
            EXPECT_STREQ(m_file, row.result);
        }
    }
}

TEST_F(FileDialogTest, CancelReturnsFalseWithoutError) {
    scripted().queueFileAnswer(std::nullopt);
    std::strcpy(m_file, "keep.txt");
    EXPECT_FALSE(GetOpenFileNameA(&m_ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_STREQ(m_file, "keep.txt");
    EXPECT_EQ(lastDialog()->line.substr(lastDialog()->line.size() - 9), "-> cancel");
    // Nothing queued: cancelled as well.
    EXPECT_FALSE(GetSaveFileNameA(&m_ofn));
    EXPECT_EQ(lastDialog()->caption, "Save As");
}

TEST_F(FileDialogTest, TooSmallABufferGetsTheSizeNeeded) {
    char small[6] = "ab";
    m_ofn.lpstrFile = small;
    m_ofn.nMaxFile = sizeof small;
    scripted().queueFileAnswer("a.txt");
    EXPECT_FALSE(GetOpenFileNameA(&m_ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD needed;
    std::memcpy(&needed, small, sizeof needed);
    EXPECT_EQ(needed, std::strlen("C:\\data\\a.txt") + 1);
}

TEST_F(FileDialogTest, OverwriteQuestionDecidesTheSave) {
    m_ofn.Flags = OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT;
    scripted().queueFileAnswer("old.cir");
    scripted().queueBoxAnswer(IDYES);
    EXPECT_TRUE(GetSaveFileNameA(&m_ofn));
    const kvwin32::TranscriptEntry* box =
        kvwin32::desktop().transcript().last(kvwin32::TranscriptKind::messageBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, "old.cir already exists.\nDo you want to replace it?");
    EXPECT_EQ(box->buttons, kvwin32::BoxButtons::yesNo);

    scripted().queueFileAnswer("old.cir");
    scripted().queueBoxAnswer(IDNO);
    EXPECT_FALSE(GetSaveFileNameA(&m_ofn));
    // Unanswered: No is the default, nothing is replaced.
    scripted().queueFileAnswer("old.cir");
    EXPECT_FALSE(GetSaveFileNameA(&m_ofn));
    // A new file asks nothing.
    size_t boxes =
        kvwin32::desktop().transcript().entriesOf(kvwin32::TranscriptKind::messageBox).size();
    scripted().queueFileAnswer("fresh.cir");
    EXPECT_TRUE(GetSaveFileNameA(&m_ofn));
    EXPECT_EQ(kvwin32::desktop().transcript().entriesOf(kvwin32::TranscriptKind::messageBox).size(),
              boxes);
}

TEST_F(FileDialogTest, CurrentDirectoryFollowsTheChoiceUnlessNoChangeDir) {
    scripted().queueFileAnswer("a.txt");
    ASSERT_TRUE(GetOpenFileNameA(&m_ofn));
    EXPECT_EQ(current(), "C:\\other");
    m_ofn.Flags = 0;
    scripted().queueFileAnswer("a.txt");
    ASSERT_TRUE(GetOpenFileNameA(&m_ofn));
    EXPECT_EQ(current(), "C:\\data");
}

TEST_F(FileDialogTest, BadStructuresFailWithTheirErrors) {
    OPENFILENAMEA bad = m_ofn;
    bad.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileNameA(&bad));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    EXPECT_FALSE(GetOpenFileNameA(nullptr));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
    bad = m_ofn;
    bad.Flags |= OFN_ENABLEHOOK;
    EXPECT_FALSE(GetOpenFileNameA(&bad));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_NOHOOK));
    // The older, shorter structure is accepted.
    bad = m_ofn;
    bad.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    scripted().queueFileAnswer("a.txt");
    EXPECT_TRUE(GetOpenFileNameA(&bad));
    // Nothing was shown for the refused ones.
    EXPECT_EQ(kvwin32::desktop().transcript().entriesOf(kvwin32::TranscriptKind::fileDialog).size(),
              1u);
}

struct TitleRow {
    const char* path;
    WORD size;
    short result;
    const char* title;
};

const TitleRow kTitleRows[] = {
    {"C:\\data\\a.txt", 20, 0, "a.txt"}, {"a.txt", 6, 0, "a.txt"},   {"C:\\data\\a.txt", 5, 6, ""},
    {"C:b.cir", 10, 0, "b.cir"},         {"C:\\data\\", 10, -1, ""}, {"C:\\d\\*.txt", 10, -1, ""},
};

TEST(FileTitle, NamePartWithItsBufferRules) {
    for (const TitleRow& row : kTitleRows) {
        SCOPED_TRACE(row.path);
        char title[32] = "";
        EXPECT_EQ(GetFileTitleA(row.path, title, row.size), row.result);
        if (row.result == 0) {
            EXPECT_STREQ(title, row.title);
        }
    }
    EXPECT_EQ(GetFileTitleA("C:\\x\\abc", nullptr, 0), 4);
    EXPECT_EQ(GetFileTitleA(nullptr, nullptr, 0), -1);
}

}  // namespace
