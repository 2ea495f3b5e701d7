// Scenario tests of the settings sheet through the exports, as a host uses them and as a user
// sees the sheet: the first page, the modal run without Apply, the modeless notifications,
// hiding and showing again, the active page, and refreshing the General page from the host.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "SheetFixture.h"

namespace {

using kvtest::SheetFixture;

class SheetTest : public SheetFixture {};

struct StartCase {
    const char* name;
    const char* designFile;
    const char* profileName;
    int activePage;
    int circuitMode;
    int expected;
};

TEST_F(SheetTest, TheFirstPageFollowsTheProfile) {
    const StartCase cases[] = {
        {"design and name: activePage", "D:\\proj\\amp.cir", "p1", 3, 0, 3},
        {"no design file: General", "", "p1", 3, 0, 0},
        {"no profile name: General", "D:\\proj\\amp.cir", "", 4, 0, 0},
        {"circuit-file mode: always General", "D:\\proj\\amp.cir", "p1", 2, 1, 0},
        {"a page the sheet does not have: General", "D:\\proj\\amp.cir", "p1", 9, 0, 0},
    };
    for (const StartCase& c : cases) {
        m_general.designFile = c.designFile;
        m_general.profileName = c.profileName;
        m_general.circuitMode = c.circuitMode;
        m_general.inputEditable = c.circuitMode;
        m_profile.activePage = c.activePage;
        openModeless();
        EXPECT_EQ(DllGetActivePage(m_sheet), c.expected) << c.name;
        deleteSheet();
    }
}

TEST_F(SheetTest, AnActivePageTheSheetDoesNotHaveReachesTheFrameworkUnchanged) {
    m_general.designFile = "D:\\proj\\amp.cir";
    m_general.profileName = "p1";
    for (const int page : {9, 6, -2}) {
        m_profile.activePage = page;
        m_sheet = DllCreateModelessDialog(&m_profile, m_host, 42);
        // Before the window exists the sheet holds the index as the profile gave it...
        EXPECT_EQ(DllGetActivePage(m_sheet), static_cast<WORD>(page)) << page;
        // ...and the framework opens its first page when it makes the window.
        DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
        EXPECT_EQ(DllGetActivePage(m_sheet), 0) << page;
        deleteSheet();
    }
}

TEST_F(SheetTest, TheSheetShowsSixTabsWithTheirCaptionsAndATitle) {
    openModeless();
    const HWND tab = FindWindowExA(sheetWindow(), nullptr, "SysTabControl32", nullptr);
    ASSERT_NE(tab, nullptr);
    const std::vector<std::string> expected = {"General", "Analysis ",        "Configuration Files",
                                               "Options", "Data Collection ", "Vavir Window"};
    EXPECT_EQ(kvwin32::Robot::items(tab), expected);
    EXPECT_EQ(title(), "Simulation Settings - p1");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 1);
    // The modeless sheet keeps OK, Cancel and Apply.
    for (const char* button : {"OK", "Cancel", "&Apply"}) {
        EXPECT_TRUE(kvwin32::Robot::visible(control(button))) << button;
    }
}

TEST_F(SheetTest, ModalSheetHasNoApplyAndReturnsWhenClosed) {
    bool sawApply = true;
    m_desktop->queueAction([&] {
        const kvwin32::RobotResult apply = m_robot.find(kvwin32::ControlQuery::byText("Apply"));
        sawApply = apply.ok() && kvwin32::Robot::visible(apply.hwnd);
    });
    m_desktop->queueAction([&] { m_robot.click(kvwin32::ControlQuery::byText("Cancel")); });
    DllShowSettingsDialog(&m_profile);
    EXPECT_FALSE(sawApply);
    EXPECT_EQ(sheetWindow(), nullptr);
    EXPECT_EQ(m_desktop->pendingActions(), 0u);
}

TEST_F(SheetTest, ModalOkAppliesThePagesAndEndsTheRun) {
    m_desktop->queueAction(
        [&] { m_robot.type(kvwin32::ControlQuery::byText("Notes:"), "second"); });
    m_desktop->queueAction([&] { m_robot.click(kvwin32::ControlQuery::byText("OK")); });
    DllShowSettingsDialog(&m_profile);
    EXPECT_EQ(m_general.notes, "second");
    EXPECT_EQ(sheetWindow(), nullptr);
}

TEST_F(SheetTest, InputEndingInsideTheModalRunCancelsIt) {
    m_desktop->queueAction([&] { m_robot.type(kvwin32::ControlQuery::byText("Notes:"), "lost"); });
    DllShowSettingsDialog(&m_profile);
    EXPECT_EQ(m_general.notes, "first run");
    EXPECT_EQ(sheetWindow(), nullptr);
}

TEST_F(SheetTest, ModelessButtonsNotifyTheHostOnceEach) {
    openModeless();
    type("Notes:", "applied");
    click("&Apply");
    EXPECT_EQ(codes(), (std::vector<WPARAM>{SETTINGS_NOTIFY_APPLY}));
    EXPECT_EQ(m_notifications.back().second, 42);

    click("OK");
    EXPECT_EQ(codes(), (std::vector<WPARAM>{SETTINGS_NOTIFY_APPLY, SETTINGS_NOTIFY_OK}));
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);

    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
    pump();
    click("Cancel");
    EXPECT_EQ(codes(), (std::vector<WPARAM>{SETTINGS_NOTIFY_APPLY, SETTINGS_NOTIFY_OK,
                                            SETTINGS_NOTIFY_CANCEL}));
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
}

TEST_F(SheetTest, ARefusedOkPostsNothingAndKeepsTheSheetOpen) {
    openModeless();
    type("Simulation Profile:", "");
    click("OK");
    EXPECT_TRUE(codes().empty());
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes().back(), "Please enter a simulation profile name.");
    // The library's boxes carry its application's name.
    EXPECT_EQ(m_desktop->transcript().last(kvwin32::TranscriptKind::messageBox)->caption,
              "kvTessel64");
    EXPECT_TRUE(kvwin32::Robot::focused(control("Simulation Profile:")));
    EXPECT_EQ(m_general.profileName, "p1");
}

// A host may open the sheet with no profile: it opens on General in schematic mode with empty
// fields, still validates what the user must enter, and OK closes it with one notification.
TEST_F(SheetTest, ASheetWithoutAProfileValidatesAndWritesNothing) {
    m_sheet = DllCreateModelessDialog(nullptr, m_host, 7);
    ASSERT_NE(m_sheet, nullptr);
    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
    pump();
    ASSERT_NE(sheetWindow(), nullptr);
    EXPECT_EQ(title(), "Simulation Settings");
    EXPECT_EQ(DllGetActivePage(m_sheet), 0);
    EXPECT_EQ(text("Simulation Profile:"), "");
    EXPECT_FALSE(IsWindowEnabled(control("Schematic filename (.DSN):")));

    click("OK");
    EXPECT_EQ(boxes(), (std::vector<std::string>{"Please enter a simulation profile name."}));
    type("Simulation Profile:", "loose");
    type("Output filename:", "out.out");
    type("Waveform data filename:", "wave.dat");
    click("OK");
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
    ASSERT_EQ(codes(), (std::vector<WPARAM>{SETTINGS_NOTIFY_OK}));
    EXPECT_EQ(m_notifications.back().second, 7);
}

TEST_F(SheetTest, HidingAndShowingAgainReloadsTheGeneralPage) {
    openModeless();
    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_HIDE);
    pump();
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
    m_general.notes = "changed by the host";
    m_general.profileName = "p2";
    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
    pump();
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 1);
    EXPECT_EQ(text("Notes:"), "changed by the host");
    EXPECT_EQ(title(), "Simulation Settings - p2");
}

TEST_F(SheetTest, SetActivePageBeforeAndAfterTheWindowExists) {
    m_sheet = DllCreateModelessDialog(&m_profile, m_host, 1);
    m_general.circuitMode = 0;  // a circuit-file profile would always open on General
    DllSetActivePage(m_sheet, 2);
    EXPECT_EQ(DllGetActivePage(m_sheet), 2);
    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
    pump();
    EXPECT_EQ(DllGetActivePage(m_sheet), 2);
    DllSetActivePage(m_sheet, 5);
    pump();
    EXPECT_EQ(DllGetActivePage(m_sheet), 5);
}

TEST_F(SheetTest, NullHandlesAreIgnored) {
    EXPECT_EQ(DllGetActivePage(nullptr), 0xFFFF);
    EXPECT_EQ(DllIsDialogDisplayed(nullptr), 0);
    DllSetActivePage(nullptr, 1);
    DllShowModelessDialog(nullptr, SETTINGS_SHOW_NORMAL);
    DllUpdateGeneralPage(nullptr, &m_general, GeneralField::profileName);
    DllDeleteModelessDialog(nullptr);
    EXPECT_EQ(sheetWindow(), nullptr);
}

TEST_F(SheetTest, UpdateGeneralPageRefreshesOneFieldAndKeepsTheOthers) {
    openModeless();
    type("Notes:", "typed by the user");
    GeneralSettings record;
    record.profileName = "renamed";
    record.designFile = "D:\\other.cir";
    record.waveformFile = "D:\\w.dat";
    record.outputFile = "D:\\o.out";
    record.notes = "from the host";

    DllUpdateGeneralPage(m_sheet, &record, GeneralField::outputFile);
    EXPECT_EQ(text("Output filename:"), "D:\\o.out");
    EXPECT_EQ(text("Notes:"), "typed by the user");

    DllUpdateGeneralPage(m_sheet, &record, static_cast<GeneralField>(9));
    EXPECT_EQ(text("Notes:"), "typed by the user");
    EXPECT_EQ(text("Simulation Profile:"), "p1");

    DllUpdateGeneralPage(m_sheet, &record, GeneralField::notes);
    EXPECT_EQ(text("Notes:"), "from the host");

    DllUpdateGeneralPage(m_sheet, &record, GeneralField::profileName);
    EXPECT_EQ(text("Simulation Profile:"), "renamed");
    EXPECT_EQ(title(), "Simulation Settings - renamed");

    DllUpdateGeneralPage(m_sheet, nullptr, GeneralField::profileName);
    EXPECT_EQ(title(), "Simulation Settings - renamed");
    // The profile itself is the host's: nothing was written into it.
    EXPECT_EQ(m_general.profileName, "p1");
}

// Each index rewrites its own control and only it; in schematic mode every field has one.
TEST_F(SheetTest, UpdateGeneralPageIndexNamesItsControl) {
    struct Case {
        GeneralField field;
        const char* label;
    };
    const Case cases[] = {
        {GeneralField::profileName, "Simulation Profile:"},
        {GeneralField::designFile, "Schematic filename (.DSN):"},
        {GeneralField::projectName, "Project Name (.OPJ)"},
        {GeneralField::schematicName, "Schematic name:"},
        {GeneralField::waveformFile, "Waveform data filename:"},
        {GeneralField::outputFile, "Output filename:"},
        {GeneralField::notes, "Notes:"},
    };
    m_general.circuitMode = 0;
    m_general.designFile = "D:\\proj\\amp.dsn";
    m_general.projectName = "D:\\proj\\amp.opj";
    m_general.schematicName = "SCHEMATIC1";
    openModeless();
    GeneralSettings record;
    record.profileName = "host-0";
    record.designFile = "host-1";
    record.projectName = "host-2";
    record.schematicName = "host-3";
    record.waveformFile = "host-4";
    record.outputFile = "host-5";
    record.notes = "host-6";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> before;
        for (const Case& other : cases) {
            before.push_back(text(other.label));
        }
        DllUpdateGeneralPage(m_sheet, &record, c.field);
        pump();
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const std::string expected = cases[i].field == c.field
                                             ? "host-" + std::to_string(static_cast<int>(c.field))
                                             : before[i];
            EXPECT_EQ(text(cases[i].label), expected) << cases[i].label;
        }
    }
    EXPECT_EQ(title(), "Simulation Settings - host-0");
}

TEST_F(SheetTest, VersionTextFitsItsBuffer) {
    char buffer[SETTINGS_VERSION_BUFFER_SIZE];
    std::fill(std::begin(buffer), std::end(buffer), '\x7f');
    EXPECT_EQ(getModuleVersionInfo(buffer), 1);
    const std::string text = buffer;
    EXPECT_TRUE(text.starts_with("17.0.0")) << text;
    EXPECT_LT(text.size(), sizeof buffer);
}

}  // namespace
