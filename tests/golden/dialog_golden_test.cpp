// Golden images of the dialogs a person answers at a live screen: the message box in its
// styles, the file dialog and the folder browser, built from templates and run by the dialog
// manager. Each picture is taken while the dialog's modal loop asks for input, as a person
// would first see it; the tests also answer each dialog as a person would and check the answer.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "GoldenImage.h"
#include "TempDir.h"
#include "kvwin32/desktop.h"
#include "kvwin32/drives.h"
#include "kvwin32/person_dialogs.h"
#include "kvwin32/render.h"
#include "kvwin32/robot.h"
#include "kvwin32/winuser.h"
#include "kvwin32/winuser_controls.h"
#include "kvwin32/winuser_msgbox.h"

namespace {

// A desktop whose input is one step: take the picture of the topmost modal dialog, then act
// on it (press a key, click a button) as the person does.
class DialogGolden : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(kvwin32::dialogFontFile().empty())
            << "the dialog font could not be read; scripts/deps installs its package";
        auto desktop = std::make_unique<kvwin32::ScriptedDesktop>();
        m_desktop = desktop.get();
        m_scope = std::make_unique<kvwin32::DesktopScope>(std::move(desktop));
    }
    void TearDown() override { m_scope.reset(); }

    // Queues the picture and then the person's action on the dialog.
    void whenShown(std::function<void(HWND dialog)> act) {
        m_desktop->queueAction([this, act] {
            const HWND dialog = kvwin32::topmostModalDialog();
            ASSERT_NE(dialog, nullptr);
            m_picture = kvwin32::renderWindow(dialog);
            act(dialog);
        });
    }
    static void press(HWND dialog, int id) {
        PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
    static void key(HWND dialog, UINT vk) {
        HWND focus = GetFocus() != nullptr ? GetFocus() : dialog;
        PostMessageA(focus, WM_KEYDOWN, vk, 1);
        PostMessageA(focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    }

    kvwin32::ScriptedDesktop* m_desktop = nullptr;
    std::unique_ptr<kvwin32::DesktopScope> m_scope;
    kvwin32::PixelImage m_picture;
};

kvwin32::MessageBoxRequest box(UINT style, const std::string& text) {
    kvwin32::MessageBoxRequest request;
    request.caption = "kvTessel64";
    request.text = text;
    request.style = style;
    return request;
}

TEST_F(DialogGolden, WarningBoxIsAnsweredWithEnterOnItsDefaultButton) {
    whenShown([](HWND dialog) { key(dialog, VK_RETURN); });
    EXPECT_EQ(kvwin32::runMessageBoxDialog(
                  box(MB_OK | MB_ICONWARNING, "Please enter a simulation profile name.")),
              IDOK);
    EXPECT_TRUE(kvtest::matchesGolden("message_box_ok", m_picture));
}

TEST_F(DialogGolden, YesNoCancelBoxStartsOnItsDefaultButtonAndEscapeCancels) {
    whenShown([](HWND dialog) {
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDNO) << "MB_DEFBUTTON2 has the focus";
        key(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(kvwin32::runMessageBoxDialog(
                  box(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2,
                      "The profile was changed.\nSave the changes before closing?")),
              IDCANCEL);
    EXPECT_TRUE(kvtest::matchesGolden("message_box_yes_no_cancel", m_picture));
}

TEST_F(DialogGolden, YesNoBoxIgnoresEscapeAndTakesAClick) {
    whenShown([this](HWND dialog) {
        key(dialog, VK_ESCAPE);  // a Yes/No box cannot be closed so
        PostMessageA(dialog, WM_NULL, 0, 0);
        m_desktop->queueAction([dialog] { press(dialog, IDYES); });
    });
    EXPECT_EQ(kvwin32::runMessageBoxDialog(box(MB_YESNO, "Delete the entry?")), IDYES);
}

TEST_F(DialogGolden, FileDialogListsTheMatchingFilesAndAnswersTheNameTyped) {
    kvtest::TempDir dir;
    dir.write("amp.cir", "*\n");
    dir.write("filter.cir", "*\n");
    dir.write("notes.txt", "-\n");
    const std::string saved = kvwin32::driveTable();
    ASSERT_TRUE(kvwin32::setDriveTable("C:=/;D:=" + dir.host()));
    kvwin32::FileDialogRequest request;
    request.title = "Select the circuit file";
    request.filters = {{"Circuit Files (*.cir)", "*.cir"}, {"All Files (*.*)", "*.*"}};
    request.initialFolder = "D:\\";
    request.initialName = "amp.cir";
    whenShown([](HWND dialog) {
        HWND list = GetDlgItem(dialog, 100);
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2) << "only the circuit files";
        SetDlgItemTextA(dialog, 101, "filter.cir");
        press(dialog, IDOK);
    });
    const kvwin32::PathAnswer answer = kvwin32::runFileDialog(request);
    kvwin32::setDriveTable(saved);
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, "D:\\filter.cir") << "a bare name is in the folder listed";
    EXPECT_TRUE(kvtest::matchesGolden("file_dialog_open", m_picture));
}

TEST_F(DialogGolden, FolderBrowserGoesIntoAFolderAndCancelAnswersNothing) {
    kvtest::TempDir dir;
    dir.mkdir("profiles/p1");
    dir.mkdir("profiles/p2");
    const std::string saved = kvwin32::driveTable();
    ASSERT_TRUE(kvwin32::setDriveTable("C:=/;D:=" + dir.host()));
    kvwin32::FolderDialogRequest request;
    request.title = "Choose the profile folder";
    request.selection = "D:\\profiles";
    whenShown([](HWND dialog) { press(dialog, IDCANCEL); });
    EXPECT_FALSE(kvwin32::runFolderDialog(request));
    EXPECT_TRUE(kvtest::matchesGolden("folder_dialog", m_picture));

    whenShown([](HWND dialog) {
        HWND list = GetDlgItem(dialog, 100);
        SendMessageA(list, LB_SETCURSEL, 2, 0);  // "..", "p1", "p2"
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(100, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    const kvwin32::PathAnswer answer = kvwin32::runFolderDialog(request);
    kvwin32::setDriveTable(saved);
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, "D:\\profiles\\p2");
}

}  // namespace
