// FolderPicker: the browser it asks the desktop for (title, start selection, status text,
// flags), the path it answers, and the process-wide guard that ignores a second browse while
// one is open.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "TempDir.h"
#include <windows.h>

#include "kvwin32/desktop.h"
#include "kvwin32/drives.h"
#include "pages/analysis/FolderPicker.h"

namespace {

// A desktop that, while its folder browser is open, asks for a second one.
class NestingDesktop : public kvwin32::ScriptedDesktop {
  public:
    std::optional<kvwin32::FolderDialogRequest> request;
    bool browsingMeanwhile = false;
    std::optional<std::string> nested = std::string("<not asked>");
    kvwin32::PathAnswer answer;

  protected:
    kvwin32::PathAnswer answerFolderDialog(const kvwin32::FolderDialogRequest& r) override {
        request = r;
        browsingMeanwhile = FolderPicker::IsBrowsing();
        FolderPicker second("second");
        nested = second.Browse("C:\\", 0, 0);
        return answer;
    }
};

class FolderPickerTest : public ::testing::Test {
  protected:
    FolderPickerTest() {
        m_saved = kvwin32::driveTable();
        m_dir.mkdir("d/proj/ck1");
        m_dir.mkdir("d/other");
        kvwin32::setDriveTable("C:=/;D:=" + m_dir.host("d"));
        auto desktop = std::make_unique<NestingDesktop>();
        m_desktop = desktop.get();
        m_scope = std::make_unique<kvwin32::DesktopScope>(std::move(desktop));
    }
    ~FolderPickerTest() override {
        m_scope.reset();
        kvwin32::setDriveTable(m_saved);
    }
    kvtest::TempDir m_dir;
    std::string m_saved;
    NestingDesktop* m_desktop = nullptr;
    std::unique_ptr<kvwin32::DesktopScope> m_scope;
};

TEST_F(FolderPickerTest, AnswersTheChosenFolderAndIgnoresASecondBrowse) {
    m_desktop->answer = std::string("D:\\other");
    FolderPicker picker("\nPlease Select Folder:");
    const auto chosen = picker.Browse("D:\\proj\\ck1", 0, BIF_RETURNONLYFSDIRS);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, "D:\\other");
    ASSERT_TRUE(m_desktop->request.has_value());
    EXPECT_EQ(m_desktop->request->title, "\nPlease Select Folder:");
    EXPECT_EQ(m_desktop->request->selection, "D:\\proj\\ck1");
    EXPECT_EQ(m_desktop->request->statusText, "D:\\proj\\ck1");
    EXPECT_EQ(m_desktop->request->flags, static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT));
    // The second browse, asked while the first was open, returned at once with nothing.
    EXPECT_TRUE(m_desktop->browsingMeanwhile);
    EXPECT_EQ(m_desktop->nested, std::nullopt);
    EXPECT_FALSE(FolderPicker::IsBrowsing());
}

TEST_F(FolderPickerTest, CancelAnswersNothingAndAnEmptyStartSelectsNothing) {
    m_desktop->answer = std::nullopt;
    FolderPicker picker(std::string(400, 't').c_str());  // a title longer than the buffer
    EXPECT_EQ(picker.Browse("", 0, 0), std::nullopt);
    ASSERT_TRUE(m_desktop->request.has_value());
    EXPECT_EQ(m_desktop->request->title, std::string(MAX_PATH - 1, 't'));
    EXPECT_EQ(m_desktop->request->selection, "");
    EXPECT_FALSE(FolderPicker::IsBrowsing());
    // A browse after the first has ended is open again.
    m_desktop->answer = std::string("D:\\proj");
    EXPECT_EQ(picker.Browse(nullptr, 0, 0), std::optional<std::string>("D:\\proj"));
}

}  // namespace
