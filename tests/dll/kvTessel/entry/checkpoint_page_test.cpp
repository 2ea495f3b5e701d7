// Scenario tests of "Save Check Points" and "Restart Simulation" of the Analysis page through
// the Robot, with real folders and "state_map" files on drive D:: every validation step of
// both dialogs (Yes and No to creating a missing folder, a folder that cannot be made,
// duplicates ignoring case, the same folder for checkpoint and restart), the checkpoint
// registry across an Apply, the button bar's moves carrying each row's settings, and the
// restart dialog's times, merge from the registry and reload.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "SheetFixture.h"
#include "kvTessel/CheckPoint.h"
#include "kvTessel/SimProfile.h"

namespace {

using kvtest::SheetFixture;
using kvwin32::ControlQuery;
using kvwin32::ItemQuery;
using kvwin32::Robot;

constexpr const char* kOptions = "Options:";
constexpr const char* kSave = "Save Check Points";
constexpr const char* kRestart = "Restart Simulation";
constexpr const char* kFolders = "Check Point Location";
constexpr const char* kBar = "Directories:";
constexpr const char* kSim = "Simulation Interval";
constexpr const char* kReal = "Real Time interval";
constexpr const char* kPoints = "Time Points";
constexpr const char* kTimes = "Restart At";
// The profile's folder, D:\proj\profiles\p1, on the host.
constexpr const char* kProfileDir = "proj/profiles/p1";

class CheckpointPageTest : public SheetFixture {
  protected:
    CheckpointPageTest() {
        m_transient.runToTime = "1m";
        m_profile.transient = &m_transient;
        m_profile.checkpoint = &m_checkpoint;
        m_profile.restart = &m_restart;
        ISyncCkptReStart::chkptSimEntry.clear();
        ISyncCkptReStart::killOb();
    }
    ~CheckpointPageTest() override {
        std::vector<const CCheckPointReader*> own;
        for (const auto& entry : m_owned) {
            own.push_back(entry.get());
        }
        releaseCheckpointEntries(own);
    }

    CCheckPointReader* entry(const std::string& folder, const std::string& sim = "",
                             const std::string& real = "", const std::string& points = "") {
        m_owned.push_back(std::make_unique<CCheckPointReader>(folder, sim, real, points));
        return m_owned.back().get();
    }
    // A folder of the profile's folder, with a "state_map" when `map` is given.
    void folder(const std::string& name, const char* map = nullptr) {
        m_dir.mkdir(std::string(kProfileDir) + "/" + name);
        if (map != nullptr) {
            m_dir.write(std::string(kProfileDir) + "/" + name + "/state_map", map);
        }
    }
    bool exists(const std::string& name) {
        return GetFileAttributesA(("D:\\proj\\profiles\\p1\\" + name).c_str()) !=
               INVALID_FILE_ATTRIBUTES;
    }

    // Opens the sheet on the Analysis page with `item` checked and shown.
    void openOption(const char* item) {
        openModeless();
        clickTab("Analysis ");
        checkOption(item, true);
        select(kOptions, item);
    }
    void checkOption(const char* item, bool on) {
        const auto done = m_robot.check(control(kOptions), ItemQuery::named(item), on);
        EXPECT_TRUE(done.ok()) << done.error;
        pump();
    }
    void bar(const char* button) {
        const auto done = m_robot.clickPart(control(kBar), ItemQuery::named(button));
        EXPECT_TRUE(done.ok()) << button << ": " << done.error;
        pump();
    }
    // Types into the open in-place editor and presses `key` there.
    void edit(const std::string& text, UINT key = VK_RETURN) {
        auto done = m_robot.type(ControlQuery::focused(), text);
        EXPECT_TRUE(done.ok()) << done.error;
        done = m_robot.key(ControlQuery::focused(), key);
        EXPECT_TRUE(done.ok()) << done.error;
        pump();
    }
    void newRow(const std::string& text) {
        bar("New");
        edit(text);
    }
    void key(const char* ref, UINT vk,
             kvwin32::KeyModifiers modifiers = kvwin32::KeyModifiers::none) {
        const auto done = m_robot.key(ControlQuery::byText(ref), vk, modifiers);
        EXPECT_TRUE(done.ok()) << done.error;
        pump();
    }
    std::vector<std::string> items(const char* ref) { return Robot::items(control(ref)); }
    bool focused(const char* ref) { return Robot::focused(control(ref)); }
    std::string lastBox() { return boxes().empty() ? "<none>" : boxes().back(); }
    std::vector<std::string> directories(const std::vector<CCheckPointReader*>& list) {
        std::vector<std::string> out;
        for (const auto* e : list) {
            out.push_back(e->GetDirectory());
        }
        return out;
    }
    void apply() { click("&Apply"); }

    TransientSettings m_transient;
    CheckpointSettings m_checkpoint;
    RestartSettings m_restart;
    std::vector<std::unique_ptr<CCheckPointReader>> m_owned;
};

constexpr const char* kMap = "SINT p1 1.0e-3\nTP p2 2.5e-3\nRINT p3 x 10.2\n";

TEST_F(CheckpointPageTest, MissingFoldersLeaveTheDefaultRow) {
    m_checkpoint.entries = {entry("gone1", "1u"), entry("D:\\nowhere\\gone2", "2u")};
    m_checkpoint.selectedEntry = 1;
    openOption(kSave);
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"chkpt_default"}));
    EXPECT_EQ(selected(kFolders), "chkpt_default");
    EXPECT_EQ(text(kSim), "");
    EXPECT_EQ(text(kReal), "");
    EXPECT_EQ(text(kPoints), "");
    EXPECT_EQ(ISyncCkptReStart::chkptSimEntry.size(), 1u);
}

TEST_F(CheckpointPageTest, EveryValidationStepInOrder) {
    folder("ck1");
    m_checkpoint.entries = {entry("ck1", "", "", "")};
    openOption(kSave);
    EXPECT_EQ(text(kSim), "");

    // No folder selected: the list is emptied.
    bar("Delete");
    EXPECT_TRUE(items(kFolders).empty());
    apply();
    EXPECT_EQ(lastBox(), "Please select a checkpoint directory.");
    EXPECT_TRUE(focused(kFolders));

    // A name with a character folders may not hold.
    newRow("runs|1");
    EXPECT_EQ(selected(kFolders), "runs|1");
    apply();
    EXPECT_EQ(lastBox(), "The directory name \"runs|1\" is not valid.");
    EXPECT_TRUE(focused(kFolders));

    // The same folder twice, ignoring case.
    select(kFolders, "runs|1");
    bar("Delete");
    newRow("CK1");
    newRow("ck1");
    apply();
    EXPECT_EQ(lastBox(), "The checkpoint directory \"ck1\" is listed more than once.");
    select(kFolders, "CK1");
    bar("Delete");
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"ck1"}));
    EXPECT_EQ(selected(kFolders), "ck1");

    // No interval and no time points (blanks do not count, and are taken away).
    type(kReal, "   ");
    apply();
    EXPECT_EQ(lastBox(),
              "Please enter a simulation interval, a real time interval or time points.");
    EXPECT_TRUE(focused(kSim));
    type(kSim, "  10u");
    apply();
    EXPECT_EQ(boxes().size(), 4u);
    EXPECT_EQ(m_checkpoint.entries.size(), 1u);
    EXPECT_EQ(m_checkpoint.entries[0]->GetSimInterval(), "10u");
    EXPECT_EQ(m_checkpoint.entries[0]->GetRealTimeInterval(), "");
}

TEST_F(CheckpointPageTest, AMissingFolderIsCreatedOnlyOnYes) {
    folder("ck1");
    m_checkpoint.entries = {entry("ck1", "1u")};
    openOption(kSave);
    newRow("runs\\a");
    type(kSim, "5u");
    m_desktop->queueBoxAnswer(IDNO);
    apply();
    EXPECT_EQ(lastBox(),
              "The directory \"D:\\proj\\profiles\\p1\\runs\\a\" does not exist. Do you want to "
              "create it?");
    EXPECT_FALSE(exists("runs"));
    EXPECT_TRUE(focused(kFolders));
    EXPECT_FALSE(ISyncCkptReStart::Instance()->GetChkptFlag());

    m_desktop->queueBoxAnswer(IDYES);
    apply();
    EXPECT_EQ(boxes().size(), 2u);
    EXPECT_TRUE(exists("runs\\a"));
    // The row keeps its relative text; the registry publishes it.
    EXPECT_EQ(directories(m_checkpoint.entries), (std::vector<std::string>{"ck1", "runs\\a"}));
    EXPECT_EQ(m_checkpoint.selectedEntry, 1);
    EXPECT_EQ(m_checkpoint.entries[1]->GetSimInterval(), "5u");
    EXPECT_TRUE(ISyncCkptReStart::Instance()->GetChkptFlag());
    EXPECT_EQ(ISyncCkptReStart::Instance()->GetchkptDir(), "runs\\a");
}

TEST_F(CheckpointPageTest, AFolderThatCannotBeMadeIsReportedAndNothingIsLeft) {
    folder("ck1");
    m_checkpoint.entries = {entry("ck1", "1u")};
    openOption(kSave);
    newRow("new\\deeper\\bad\"name");
    type(kSim, "5u");
    m_desktop->queueBoxAnswer(IDYES);
    apply();
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(
        boxes()[1],
        "The directory name \"D:\\proj\\profiles\\p1\\new\\deeper\\bad\"name\" is not valid.");
    EXPECT_FALSE(exists("new"));
    EXPECT_TRUE(focused(kFolders));
    EXPECT_FALSE(ISyncCkptReStart::Instance()->GetChkptFlag());
    EXPECT_EQ(directories(m_checkpoint.entries), (std::vector<std::string>{"ck1"}));
}

TEST_F(CheckpointPageTest, TheRegistryAcrossAnApply) {
    folder("ck1");
    folder("ck2");
    m_checkpoint.entries = {entry("ck1", "1u"), entry("ck2", "2u")};
    m_checkpoint.selectedEntry = 1;
    openOption(kSave);
    EXPECT_EQ(ISyncCkptReStart::chkptSimEntry, m_checkpoint.entries);
    EXPECT_EQ(text(kSim), "2u");
    apply();
    EXPECT_TRUE(ISyncCkptReStart::Instance()->GetChkptFlag());
    EXPECT_EQ(ISyncCkptReStart::Instance()->GetchkptDir(), "ck2");
    EXPECT_EQ(m_checkpoint.enabled, 1);

    // A new row: the dialog and the registry hold its entry from the start.
    newRow("ck3");
    ASSERT_EQ(ISyncCkptReStart::chkptSimEntry.size(), 3u);
    EXPECT_EQ(ISyncCkptReStart::chkptSimEntry[2]->GetDirectory(), "ck3");
    type(kPoints, "1m 2m");
    m_desktop->queueBoxAnswer(IDYES);
    apply();
    EXPECT_EQ(ISyncCkptReStart::Instance()->GetchkptDir(), "ck3");
    EXPECT_EQ(directories(m_checkpoint.entries), (std::vector<std::string>{"ck1", "ck2", "ck3"}));
    EXPECT_EQ(ISyncCkptReStart::chkptSimEntry, m_checkpoint.entries);
    EXPECT_EQ(m_checkpoint.entries[2]->GetTimePoints(), "1m 2m");
    EXPECT_EQ(m_checkpoint.selectedEntry, 2);

    // Unchecked, the option is not validated and the flag stays clear.
    checkOption(kSave, false);
    type(kSim, "9u");  // marks the page modified, so that Apply is offered
    apply();
    EXPECT_FALSE(ISyncCkptReStart::Instance()->GetChkptFlag());
    EXPECT_EQ(m_checkpoint.enabled, 0);
}

TEST_F(CheckpointPageTest, MovesCarryEachRowsSettings) {
    for (const char* name : {"a", "b", "c"}) {
        folder(name);
    }
    m_checkpoint.entries = {entry("a", "1u", "", "pa"), entry("b", "2u", "20", ""),
                            entry("c", "3u", "", "pc")};
    openOption(kSave);
    select(kFolders, "a");
    bar("Move Down");
    bar("Move Down");
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"b", "c", "a"}));
    bar("Move Down");  // the last row stays
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"b", "c", "a"}));
    select(kFolders, "b");
    EXPECT_EQ(text(kSim), "2u");
    EXPECT_EQ(text(kReal), "20");
    select(kFolders, "a");
    EXPECT_EQ(text(kSim), "1u");
    EXPECT_EQ(text(kPoints), "pa");
    bar("Move Up");
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"b", "a", "c"}));
    // Alt+Up moves too.
    key(kFolders, VK_UP, kvwin32::KeyModifiers::alt);
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"a", "b", "c"}));
    select(kFolders, "c");
    EXPECT_EQ(text(kPoints), "pc");
    // The registry was moved with the rows: its entries are the dialog's, in row order.
    EXPECT_EQ(directories(ISyncCkptReStart::chkptSimEntry),
              (std::vector<std::string>{"a", "b", "c"}));
    apply();
    EXPECT_EQ(directories(m_checkpoint.entries), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(m_checkpoint.entries[0]->GetSimInterval(), "1u");
    EXPECT_EQ(m_checkpoint.entries[1]->GetRealTimeInterval(), "20");
}

TEST_F(CheckpointPageTest, DeletingRowsMovesTheSelectionUp) {
    for (const char* name : {"a", "b", "c"}) {
        folder(name);
    }
    m_checkpoint.entries = {entry("a", "1u"), entry("b", "2u"), entry("c", "3u")};
    openOption(kSave);
    select(kFolders, "a");
    bar("Delete");
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(selected(kFolders), "b");
    EXPECT_EQ(text(kSim), "2u");
    select(kFolders, "c");
    key(kFolders, VK_DELETE);
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"b"}));
    EXPECT_EQ(selected(kFolders), "b");
    bar("Delete");
    EXPECT_TRUE(items(kFolders).empty());
    EXPECT_EQ(text(kSim), "");
    checkOption(kSave, false);
    apply();
    EXPECT_EQ(m_checkpoint.selectedEntry, -1);
    EXPECT_TRUE(m_checkpoint.entries.empty());
    EXPECT_TRUE(ISyncCkptReStart::chkptSimEntry.empty());
}

TEST_F(CheckpointPageTest, EscapeOnANewRowTakesItAndItsSettingsAway) {
    folder("a");
    m_checkpoint.entries = {entry("a", "1u")};
    openOption(kSave);
    bar("New");
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"a", ""}));
    edit("", VK_ESCAPE);
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"a"}));
    EXPECT_EQ(ISyncCkptReStart::chkptSimEntry.size(), 1u);
    select(kFolders, "a");
    EXPECT_EQ(text(kSim), "1u");
    apply();
    EXPECT_EQ(directories(m_checkpoint.entries), (std::vector<std::string>{"a"}));
}

TEST_F(CheckpointPageTest, RestartTimesBySimulationAndRealTime) {
    folder("ck1", kMap);
    m_restart.entries = {entry("ck1")};
    openOption(kRestart);
    EXPECT_EQ(selected(kFolders), "ck1");
    EXPECT_EQ(items(kTimes), (std::vector<std::string>{"1.0e-3", "2.5e-3"}));
    click("Real Time");
    EXPECT_EQ(items(kTimes), (std::vector<std::string>{"10.2"}));
    click("Simulation Time");
    select(kTimes, "2.5e-3");
    apply();
    EXPECT_EQ(boxes().size(), 0u) << lastBox();
    EXPECT_EQ(m_restart.restartPointIndex, 1);
    EXPECT_EQ(m_restart.restartPoint, "p2");
    EXPECT_EQ(m_restart.restartAtMode, 0);
    EXPECT_EQ(m_restart.selectedEntry, 0);
    EXPECT_EQ(m_restart.enabled, 1);

    click("Real Time");
    select(kTimes, "10.2");
    apply();
    EXPECT_EQ(m_restart.restartPointIndex, 0);
    EXPECT_EQ(m_restart.restartPoint, "p3");
    EXPECT_EQ(m_restart.restartAtMode, 1);
}

TEST_F(CheckpointPageTest, RecordTypesIgnoreCaseAndOtherLinesAreSkipped) {
    folder("ck1", "sint a 1\r\nTp b 2\r\nrInT c 0 3\r\nXX d 4\r\n\r\nSINT onlyname\r\n");
    m_restart.entries = {entry("ck1")};
    openOption(kRestart);
    EXPECT_EQ(items(kTimes), (std::vector<std::string>{"1", "2"}));
    click("Real Time");
    EXPECT_EQ(items(kTimes), (std::vector<std::string>{"3"}));
}

TEST_F(CheckpointPageTest, EveryRestartValidationStepInOrder) {
    folder("ck1", kMap);
    folder("empty");
    folder("nomap", "");
    m_restart.entries = {entry("ck1")};
    m_restart.restartPointIndex = 1;
    openOption(kRestart);
    EXPECT_EQ(selected(kFolders), "ck1");
    bar("Delete");
    EXPECT_TRUE(items(kFolders).empty());
    EXPECT_TRUE(items(kTimes).empty());
    apply();
    EXPECT_EQ(lastBox(), "Please select a restart directory.");

    // A folder typed into a new row that does not exist.
    newRow("missing");
    apply();
    EXPECT_EQ(lastBox(),
              "The restart directory \"D:\\proj\\profiles\\p1\\missing\" does not exist.");
    EXPECT_TRUE(focused(kFolders));

    newRow("empty");
    EXPECT_TRUE(items(kTimes).empty());
    apply();
    EXPECT_EQ(lastBox(),
              "The directory \"D:\\proj\\profiles\\p1\\empty\" holds no readable state_map file.");
    EXPECT_TRUE(focused(kFolders));

    // A state_map without any point: the list stays empty and Apply asks for a time.
    newRow("nomap");
    apply();
    EXPECT_EQ(lastBox(), "Please select the time at which to restart.");
    EXPECT_TRUE(focused(kTimes));

    // The remembered position of the record's mode chooses the time at once.
    newRow("ck1");
    EXPECT_EQ(items(kTimes), (std::vector<std::string>{"1.0e-3", "2.5e-3"}));
    EXPECT_EQ(selected(kTimes), "2.5e-3");
    const std::size_t shown = boxes().size();
    apply();
    EXPECT_EQ(boxes().size(), shown) << lastBox();
    EXPECT_EQ(m_restart.restartPoint, "p2");
    EXPECT_EQ(m_restart.restartPointIndex, 1);
    EXPECT_EQ(m_restart.selectedEntry, 3);
    EXPECT_EQ(directories(m_restart.entries),
              (std::vector<std::string>{"missing", "empty", "nomap", "ck1"}));
}

TEST_F(CheckpointPageTest, TheSameFolderForCheckpointAndRestartIsRefused) {
    folder("ck1", kMap);
    folder("ck2", kMap);
    m_checkpoint.entries = {entry("ck1", "1u")};
    m_restart.entries = {entry("CK1"), entry("ck2")};
    openOption(kSave);
    checkOption(kRestart, true);
    select(kOptions, kRestart);
    select(kTimes, "2.5e-3");
    apply();
    EXPECT_EQ(lastBox(),
              "The restart directory must differ from the checkpoint directory of the same run.");
    EXPECT_EQ(selected(kOptions), kRestart);
    EXPECT_EQ(m_restart.restartPoint, "");  // nothing written
    // The registry's folder is given up once compared.
    EXPECT_EQ(ISyncCkptReStart::Instance()->GetchkptDir(), "");

    select(kFolders, "ck2");
    select(kTimes, "1.0e-3");
    const std::size_t shown = boxes().size();
    apply();
    EXPECT_EQ(boxes().size(), shown);
    EXPECT_EQ(m_restart.selectedEntry, 1);
    EXPECT_EQ(m_restart.restartPoint, "p1");
    EXPECT_TRUE(ISyncCkptReStart::Instance()->GetChkptFlag());
    EXPECT_EQ(ISyncCkptReStart::Instance()->GetchkptDir(), "");
}

TEST_F(CheckpointPageTest, RestartMergesTheRegistryAndReloadsWhenShown) {
    folder("ck1", kMap);
    folder("run2", "TP q 7e-3\n");
    m_restart.entries = {entry("ck1")};
    m_checkpoint.entries = {entry("CK1", "1u"), entry("run2", "2u")};
    openOption(kRestart);
    // ck1 is listed once (ignoring case); run2 comes from the registry.
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"ck1", "run2"}));
    EXPECT_EQ(selected(kFolders), "ck1");

    // Checkpoints into a new folder: created, but without a state_map it is not offered.
    checkOption(kSave, true);
    select(kOptions, kSave);
    newRow("fresh");
    type(kSim, "1u");
    m_desktop->queueBoxAnswer(IDYES);
    checkOption(kRestart, false);
    apply();
    EXPECT_TRUE(exists("fresh"));
    select(kOptions, kRestart);
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"ck1", "run2"}));

    // Once it holds one, showing the dialog again lists it and selects the registry's folder.
    m_dir.write(std::string(kProfileDir) + "/fresh/state_map", "SINT s 5e-3\n");
    select(kOptions, kSave);
    apply();
    EXPECT_EQ(ISyncCkptReStart::Instance()->GetchkptDir(), "fresh");
    select(kOptions, kRestart);
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"ck1", "run2", "fresh"}));
    EXPECT_EQ(selected(kFolders), "fresh");
    EXPECT_EQ(items(kTimes), (std::vector<std::string>{"5e-3"}));

    // Deleting every row empties the times; the record then says so.
    for (int i = 0; i < 3; ++i) {
        bar("Delete");
    }
    EXPECT_TRUE(items(kFolders).empty());
    EXPECT_TRUE(items(kTimes).empty());
    apply();
    EXPECT_EQ(m_restart.selectedEntry, -1);
    EXPECT_EQ(m_restart.restartAtMode, -1);
    EXPECT_TRUE(m_restart.entries.empty());
}

TEST_F(CheckpointPageTest, BrowsingPutsTheChosenFolderIntoTheOpenEditor) {
    folder("ck1");
    folder("other");
    m_checkpoint.entries = {entry("ck1", "1u")};
    openOption(kSave);
    const auto done = m_robot.clickItem(control(kFolders), ItemQuery::named("ck1"), true);
    ASSERT_TRUE(done.ok()) << done.error;
    pump();
    m_desktop->queueFolderAnswer(std::string("D:\\proj\\profiles\\p1\\other"));
    // The browse button sits beside the editor, inside the list.
    const HWND button = FindWindowExA(GetParent(GetFocus()), nullptr, "Button", "...");
    ASSERT_NE(button, nullptr);
    const auto browse = m_robot.click(button);
    ASSERT_TRUE(browse.ok()) << browse.error;
    pump();
    const auto* dialog = m_desktop->transcript().last(kvwin32::TranscriptKind::folderDialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->caption, "\nPlease Select Folder:");
    EXPECT_EQ(dialog->initialFolder, "D:\\proj\\profiles\\p1\\ck1");
    EXPECT_EQ(Robot::text(GetFocus()), "D:\\proj\\profiles\\p1\\other");
    // The row changes when the editing ends.
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"ck1"}));
    ASSERT_TRUE(m_robot.key(ControlQuery::focused(), VK_RETURN).ok());
    pump();
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"D:\\proj\\profiles\\p1\\other"}));
}

}  // namespace

namespace {

// A row dragged with the mouse to another place takes its settings along.
TEST_F(CheckpointPageTest, ADraggedRowTakesItsSettingsAlong) {
    for (const char* name : {"a", "b", "c"}) {
        folder(name);
    }
    m_checkpoint.entries = {entry("a", "1u"), entry("b", "2u"), entry("c", "3u")};
    openOption(kSave);
    const HWND list = control(kFolders);
    auto at = [list](int row, int dy) {
        RECT item{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return MAKELPARAM(item.left + 10, item.top + dy);
    };
    // "a" dropped on "c": it goes before "c".
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 3));
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, at(1, 3));
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, at(2, 3));
    SendMessageA(list, WM_LBUTTONUP, 0, at(2, 3));
    pump();
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"b", "a", "c"}));
    select(kFolders, "a");
    EXPECT_EQ(text(kSim), "1u");
    select(kFolders, "b");
    EXPECT_EQ(text(kSim), "2u");
    EXPECT_EQ(directories(ISyncCkptReStart::chkptSimEntry),
              (std::vector<std::string>{"b", "a", "c"}));
    // "c" dropped on "b", the first row.
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at(2, 3));
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, at(0, 3));
    SendMessageA(list, WM_LBUTTONUP, 0, at(0, 3));
    pump();
    EXPECT_EQ(items(kFolders), (std::vector<std::string>{"c", "b", "a"}));
    select(kFolders, "c");
    EXPECT_EQ(text(kSim), "3u");
}

}  // namespace
