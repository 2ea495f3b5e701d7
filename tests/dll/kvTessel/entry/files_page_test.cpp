// Scenario tests of the Configuration Files page through the Robot, over a real folder tree on
// drives D: and E:: the path forms each scope shows, duplicates in every form, profile copies
// with and without LOCALIZE (and with the ".prp" companion), copies that fail, the scope
// groups and moves at their edges, category switching, Apply with and without changes, the
// library path, Edit and the sheet without a profile scope.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <commctrl.h>

#include "SheetFixture.h"
#include "kvTessel/FileConfigSettings.h"
#include "kvTessel/OptionSettings.h"

namespace {

using kvtest::SheetFixture;
using Items = std::vector<std::string>;
using Strings = std::vector<vnt_string>;

constexpr const char* kFiles = "Confi&gured Files";
constexpr const char* kFileName = "&Filename:";
constexpr const char* kAlready = "Cannot add the file as it is already configured! ";
constexpr const char* kMissing = "The selected file does not exist. Cannot add it.";
constexpr const char* kCopyFailed = "Cannot add the file as an error occured while copying it.";

// A host record that remembers what it was asked to edit.
class RecordingFileConfig : public FileConfigSettings {
  public:
    int EditFile(EditFileKind kind, const char* path) override {
        calls.push_back({kind, path});
        return 1;
    }
    struct Call {
        EditFileKind kind;
        std::string path;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
};

class FilesPageTest : public SheetFixture {
  protected:
    void SetUp() override {
        SheetFixture::SetUp();
        m_dir.mkdir("e");
        kvwin32::setDriveTable("C:=/;D:=" + m_dir.host() + ";E:=" + m_dir.host("e"));
        m_dir.write("proj/amp.opj", "project\n");
        m_dir.write("proj/lib/opamp.lib", "* opamp\n");
        m_dir.write("proj/lib/opamp.prp", "properties\n");
        m_dir.write("other/x.lib", "* x\n");
        m_dir.write("e/y.lib", "* y\n");
        m_dir.write("stim/Pulse.STL", "* pulse\n");
        m_dir.write("inc/params.inc", ".param r=1k\n");
        m_general.projectName = "D:\\proj\\amp.opj";
        m_profile.fileConfig = &m_config;
        m_profile.options = &m_options;
        // No configuration file names LOCALIZE unless a test writes one.
        m_dir.mkdir("windows");
        SetEnvironmentVariableA("WINDIR", "D:\\windows");
    }
    void TearDown() override {
        SetEnvironmentVariableA("WINDIR", nullptr);
        SheetFixture::TearDown();
    }
    void openPage() {
        openModeless();
        clickTab("Configuration Files");
    }
    // The category list has no label: it is found by its id, as a script names it (#1200).
    void category(const std::string& name) {
        const kvwin32::RobotResult done =
            m_robot.select(kvwin32::ControlQuery::byId(1200), kvwin32::ItemQuery::named(name));
        EXPECT_TRUE(done.ok()) << name << ": " << done.error;
        pump();
    }
    // "Br&owse..." and "&Browse..." read alike without their access keys.
    void clickLibraryBrowse() {
        const kvwin32::RobotResult done = m_robot.click(kvwin32::ControlQuery::byId(1212));
        EXPECT_TRUE(done.ok()) << done.error;
        pump();
    }
    std::string helpText() {
        return kvwin32::Robot::text(m_robot.find(kvwin32::ControlQuery::byId(1218)).hwnd);
    }
    Items rows() { return kvwin32::Robot::items(control(kFiles)); }
    void add(const std::string& file, const std::string& button) {
        type(kFileName, file);
        click(button);
    }
    std::string lastBox() {
        const auto all = boxes();
        return all.empty() ? std::string("<none>") : all.back();
    }

    RecordingFileConfig m_config;
    OptionSettings m_options;
};

TEST_F(FilesPageTest, EachScopeShowsItsPathForm) {
    openPage();
    category("Library");
    add("D:\\Proj\\Lib\\Opamp.LIB", "&Add to Design");
    add("D:\\Other\\x.lib", "&Add to Design");
    add("E:\\y.lib", "&Add to Design");
    // Design rows are newest first, in lower case below the project folder or one level up;
    // another drive stays as it is.
    EXPECT_EQ(rows(), (Items{"E:\\y.lib", "..\\other\\x.lib", ".\\lib\\opamp.lib"}));
    EXPECT_TRUE(boxes().empty());

    category("Include");
    add("D:\\Proj\\Lib\\Opamp.LIB", "Add as G&lobal");
    EXPECT_EQ(rows(), (Items{"D:\\Proj\\Lib\\Opamp.LIB"}));
    click("Apply");
    EXPECT_EQ(m_config.globalIncludes, (Strings{"D:\\Proj\\Lib\\Opamp.LIB*"}));
    EXPECT_EQ(m_config.designLibraries,
              (Strings{"E:\\y.lib", "..\\other\\x.lib", ".\\lib\\opamp.lib"}));
    EXPECT_EQ(m_config.changed, 1);
}

TEST_F(FilesPageTest, AFileIsConfiguredOncePerCategoryInAnyForm) {
    openPage();
    category("Library");
    add("D:\\Proj\\Lib\\Opamp.LIB", "Add as G&lobal");
    const std::string forms[] = {"d:\\proj\\lib\\OPAMP.lib", "D:/Proj/Lib/Opamp.LIB",
                                 "D:\\proj\\lib\\..\\lib\\opamp.lib"};
    for (const std::string& form : forms) {
        add(form, "&Add to Design");
        EXPECT_EQ(lastBox(), kAlready) << form;
        add(form, "Add to Prof&ile");
        EXPECT_EQ(lastBox(), kAlready) << form;
    }
    EXPECT_EQ(rows(), (Items{"D:\\Proj\\Lib\\Opamp.LIB"}));
    EXPECT_EQ(m_desktop->transcript().entriesOf(kvwin32::TranscriptKind::messageBox).back()->icon,
              kvwin32::BoxIcon::error);

    // A design row is found by its relative form too.
    add("D:\\other\\x.lib", "&Add to Design");
    add("d:/OTHER/x.lib", "Add as G&lobal");
    EXPECT_EQ(lastBox(), kAlready);

    // Another category takes the same file.
    const std::size_t before = boxes().size();
    category("Include");
    add("D:\\Proj\\Lib\\Opamp.LIB", "&Add to Design");
    EXPECT_EQ(rows(), (Items{".\\lib\\opamp.lib"}));
    EXPECT_EQ(boxes().size(), before);

    // A file that does not exist is refused with a plain box.
    add("D:\\proj\\none.inc", "Add as G&lobal");
    EXPECT_EQ(lastBox(), kMissing);
    EXPECT_EQ(m_desktop->transcript().entriesOf(kvwin32::TranscriptKind::messageBox).back()->icon,
              kvwin32::BoxIcon::none);
    EXPECT_EQ(rows(), (Items{".\\lib\\opamp.lib"}));
}

TEST_F(FilesPageTest, ProfileFilesAreCopiedIntoTheProfileFolder) {
    openPage();
    add("D:\\stim\\Pulse.STL", "Add to Prof&ile");
    EXPECT_EQ(rows(), (Items{".\\pulse.stl"}));
    EXPECT_EQ(m_dir.read("proj/profiles/p1/Pulse.STL"), "* pulse\n");

    // A library brings its ".prp" companion along.
    category("Library");
    add("D:\\proj\\lib\\opamp.lib", "Add to Prof&ile");
    EXPECT_EQ(rows(), (Items{".\\opamp.lib"}));
    EXPECT_EQ(m_dir.read("proj/profiles/p1/opamp.lib"), "* opamp\n");
    EXPECT_EQ(m_dir.read("proj/profiles/p1/opamp.prp"), "properties\n");

    // The copy in the profile folder is the same file: adding it again is refused.
    add("D:\\proj\\profiles\\p1\\opamp.lib", "Add to Prof&ile");
    EXPECT_EQ(lastBox(), kAlready);
    click("Apply");
    EXPECT_EQ(m_config.profileStimuli, (Strings{".\\pulse.stl"}));
    EXPECT_EQ(m_config.profileLibraries, (Strings{".\\opamp.lib"}));
}

TEST_F(FilesPageTest, LocalizeOffLeavesProfileFilesWhereTheyAre) {
    m_dir.write("windows/ventra.ini", "[SIM PROFILE]\nLOCALIZE=0\n");
    openPage();
    add("D:\\stim\\Pulse.STL", "Add to Prof&ile");
    EXPECT_EQ(rows(), (Items{"D:\\stim\\Pulse.STL"}));
    EXPECT_EQ(m_dir.read("proj/profiles/p1/Pulse.STL"), "<missing>");
    add("D:\\proj\\profiles\\params.stl", "Add to Prof&ile");  // does not exist
    EXPECT_EQ(lastBox(), kMissing);
    m_dir.write("proj/profiles/params.stl", "* params\n");
    add("D:\\proj\\profiles\\params.stl", "Add to Prof&ile");
    EXPECT_EQ(rows(), (Items{"..\\params.stl", "D:\\stim\\Pulse.STL"}));
}

TEST_F(FilesPageTest, AFailedCopyLeavesNoRowAndNoFile) {
    // A folder where the copy would go: the copy cannot replace it.
    m_dir.mkdir("proj/profiles/p1/Pulse.STL");
    // A read-only file where the copy would go.
    m_dir.write("proj/profiles/p1/params.inc", "old\n");
    ASSERT_EQ(chmod(m_dir.host("proj/profiles/p1/params.inc").c_str(), 0444), 0);
    openPage();
    add("D:\\stim\\Pulse.STL", "Add to Prof&ile");
    EXPECT_EQ(lastBox(), kCopyFailed);
    EXPECT_TRUE(rows().empty());
    category("Include");
    add("D:\\inc\\params.inc", "Add to Prof&ile");
    EXPECT_EQ(lastBox(), kCopyFailed);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(m_dir.read("proj/profiles/p1/params.inc"), "old\n");
    click("OK");
    EXPECT_TRUE(m_config.profileStimuli.empty());
    EXPECT_TRUE(m_config.profileIncludes.empty());
    EXPECT_EQ(m_config.changed, 0);  // nothing changed: the record was not written
}

TEST_F(FilesPageTest, ScopesStayGroupedAndMovesStayInTheirGroup) {
    m_config.globalStimuli = {"D:\\g1.stl*", "D:\\g2.stl*"};
    m_config.designStimuli = {".\\d1.stl"};
    m_config.profileStimuli = {".\\p1.stl", ".\\p2.stl"};
    openPage();
    EXPECT_EQ(rows(), (Items{".\\p1.stl", ".\\p2.stl", ".\\d1.stl", "D:\\g1.stl", "D:\\g2.stl"}));
    EXPECT_FALSE(enabled("&R"));

    select(kFiles, ".\\d1.stl");  // the only design row
    EXPECT_FALSE(enabled("&U"));
    EXPECT_FALSE(enabled("&D"));
    EXPECT_TRUE(enabled("&R"));
    EXPECT_EQ(text(kFileName), "D:\\proj\\d1.stl");  // shown absolute

    select(kFiles, ".\\p2.stl");  // the last profile row
    EXPECT_TRUE(enabled("&U"));
    EXPECT_FALSE(enabled("&D"));
    EXPECT_EQ(text(kFileName), "D:\\proj\\profiles\\p1\\p2.stl");
    click("&U");
    EXPECT_EQ(rows(), (Items{".\\p2.stl", ".\\p1.stl", ".\\d1.stl", "D:\\g1.stl", "D:\\g2.stl"}));
    EXPECT_EQ(selected(kFiles), ".\\p2.stl");
    EXPECT_FALSE(enabled("&U"));
    EXPECT_TRUE(enabled("&D"));

    select(kFiles, "D:\\g1.stl");
    click("&D");
    EXPECT_EQ(rows(), (Items{".\\p2.stl", ".\\p1.stl", ".\\d1.stl", "D:\\g2.stl", "D:\\g1.stl"}));
    EXPECT_EQ(selected(kFiles), "D:\\g1.stl");
    EXPECT_FALSE(enabled("&D"));

    // The groups kept their sizes: new rows still go to the top of their group.
    m_dir.write("proj/new.stl", "* new\n");
    add("D:\\proj\\new.stl", "&Add to Design");
    EXPECT_EQ(rows(), (Items{".\\p2.stl", ".\\p1.stl", ".\\new.stl", ".\\d1.stl", "D:\\g2.stl",
                             "D:\\g1.stl"}));

    // Remove takes a row and its place in the counts.
    select(kFiles, ".\\p1.stl");
    click("&R");
    EXPECT_EQ(text(kFileName), "");
    EXPECT_FALSE(enabled("&R"));
    m_dir.write("proj/profiles/p1/p3.stl", "* p3\n");
    add("D:\\proj\\profiles\\p1\\p3.stl", "Add to Prof&ile");
    m_dir.write("g3.stl", "* g3\n");
    add("D:\\g3.stl", "Add as G&lobal");
    EXPECT_EQ(rows(), (Items{".\\p3.stl", ".\\p2.stl", ".\\new.stl", ".\\d1.stl", "D:\\g3.stl",
                             "D:\\g2.stl", "D:\\g1.stl"}));
    click("OK");
    EXPECT_EQ(m_config.profileStimuli, (Strings{".\\p3.stl", ".\\p2.stl"}));
    EXPECT_EQ(m_config.designStimuli, (Strings{".\\new.stl", ".\\d1.stl"}));
    EXPECT_EQ(m_config.globalStimuli, (Strings{"D:\\g3.stl*", "D:\\g2.stl*", "D:\\g1.stl*"}));
}

TEST_F(FilesPageTest, SwitchingCategoriesKeepsEachCategorysRows) {
    m_config.designLibraries = {"D:\\Proj\\Lib\\Opamp.LIB", "..\\other\\x.lib"};
    m_config.globalLibraries = {"D:\\e.lib"};  // no marker: loads as it is
    openPage();
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(kvwin32::Robot::visible(control("Library &Path")));
    category("Library");
    // Stored forms are shown re-derived, in lower case.
    EXPECT_EQ(rows(), (Items{".\\lib\\opamp.lib", "..\\other\\x.lib", "D:\\e.lib"}));
    EXPECT_TRUE(kvwin32::Robot::visible(control("Library &Path")));
    EXPECT_TRUE(kvwin32::Robot::visible(control("Update Inde&x")));
    select(kFiles, "..\\other\\x.lib");
    click("&U");
    category("Include");
    EXPECT_TRUE(rows().empty());
    EXPECT_FALSE(kvwin32::Robot::visible(control("Update Inde&x")));
    EXPECT_EQ(helpText(),
              "Include files are loaded before the circuit.  They can include most valid Ventra "
              "commands, such as .PARAM and .FUNC definitions.");
    add("D:\\inc\\params.inc", "&Add to Design");
    category("Library");
    EXPECT_EQ(rows(), (Items{"..\\other\\x.lib", ".\\lib\\opamp.lib", "D:\\e.lib"}));
    click("Apply");
    EXPECT_EQ(m_config.designLibraries, (Strings{"..\\other\\x.lib", ".\\lib\\opamp.lib"}));
    EXPECT_EQ(m_config.globalLibraries, (Strings{"D:\\e.lib*"}));
    EXPECT_EQ(m_config.designIncludes, (Strings{"..\\inc\\params.inc"}));
}

TEST_F(FilesPageTest, ApplyWithoutChangesWritesOnlyTheIndexFlag) {
    m_config.globalLibraries = {"D:\\e.lib"};
    m_config.designLibraries = {"D:/Proj/Lib/Opamp.LIB"};
    m_config.libraryPath = "\"D:\\libs\"";
    m_options.noIndexUpdate = 0;
    openPage();
    category("Library");
    EXPECT_TRUE(checked("Update Inde&x"));
    click("Update Inde&x");
    click("OK");
    EXPECT_EQ(m_options.noIndexUpdate, 1);
    EXPECT_EQ(m_config.changed, 0);
    EXPECT_EQ(m_config.globalLibraries, (Strings{"D:\\e.lib"}));
    EXPECT_EQ(m_config.designLibraries, (Strings{"D:/Proj/Lib/Opamp.LIB"}));
}

TEST_F(FilesPageTest, LibraryFoldersJoinThePathOnce) {
    m_dir.mkdir("libs");
    m_config.libraryPath = "\"D:\\old\"";
    openPage();
    category("Library");
    m_desktop->queueFolderAnswer(std::string("D:\\Libs"));
    clickLibraryBrowse();
    EXPECT_EQ(text("Library &Path"), "\"D:\\old\";\"D:\\Libs\"");
    EXPECT_TRUE(boxes().empty());
    for (const char* again : {"D:\\Libs", "d:\\libs"}) {
        m_desktop->queueFolderAnswer(std::string(again));
        clickLibraryBrowse();
        EXPECT_EQ(text("Library &Path"), "\"D:\\old\";\"D:\\Libs\"");
        ASSERT_FALSE(boxes().empty());
        // The catalog's text, a line break and the folder as the browser gave it (the shell
        // writes the drive letter in capitals).
        const std::string box = lastBox();
        EXPECT_EQ(box, "The folder is already part of the library search path.\n\"D:" +
                           std::string(again).substr(2) + "\"");
    }
    const auto* folder =
        m_desktop->transcript().entriesOf(kvwin32::TranscriptKind::folderDialog).back();
    EXPECT_EQ(folder->caption, "Library Path");
    click("OK");
    EXPECT_EQ(m_config.libraryPath, "\"D:\\old\";\"D:\\Libs\"");
    EXPECT_EQ(m_config.changed, 1);
}

TEST_F(FilesPageTest, EditHandsTheAbsoluteFileToTheHost) {
    m_config.designIncludes = {".\\lib\\opamp.lib"};
    m_config.globalIncludes = {"D:\\inc\\params.inc*"};
    openPage();
    category("Include");
    click("&Edit");  // no row: an empty path
    select(kFiles, ".\\lib\\opamp.lib");
    click("&Edit");
    select(kFiles, "D:\\inc\\params.inc");
    click("&Edit");
    using Call = RecordingFileConfig::Call;
    EXPECT_EQ(m_config.calls,
              (std::vector<Call>{{EditFileKind::include, ""},
                                 {EditFileKind::include, "D:\\proj\\lib\\opamp.lib"},
                                 {EditFileKind::include, "D:\\inc\\params.inc"}}));
}

TEST_F(FilesPageTest, WithoutTheProfileScopeProfileFilesAreKeptButNotShown) {
    m_config.profileStimuli = {".\\p1.stl"};
    m_config.designStimuli = {".\\d1.stl"};
    m_sheet = DllCreateModelessDialogRunLimited(&m_profile, m_host, 42, 10, 1);
    ASSERT_NE(m_sheet, nullptr);
    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
    pump();
    clickTab("Configuration Files");
    EXPECT_FALSE(enabled("Add to Prof&ile"));
    EXPECT_EQ(rows(), (Items{".\\d1.stl"}));
    m_dir.write("proj/profiles/p1/p1.stl", "* p1\n");
    // Not searched as a profile file either: a global row of the same file is accepted.
    add("D:\\proj\\profiles\\p1\\p1.stl", "Add as G&lobal");
    EXPECT_EQ(rows(), (Items{".\\d1.stl", "D:\\proj\\profiles\\p1\\p1.stl"}));
    click("OK");
    EXPECT_EQ(m_config.profileStimuli, (Strings{".\\p1.stl"}));
    EXPECT_EQ(m_config.globalStimuli, (Strings{"D:\\proj\\profiles\\p1\\p1.stl*"}));
}

TEST_F(FilesPageTest, ChangeReplacesTheSelectedFileInItsScope) {
    m_dir.write("proj/profiles/p1/p1.stl", "* p1\n");
    m_dir.write("proj/d1.stl", "* d1\n");
    m_dir.write("proj/d2.stl", "* d2\n");
    m_config.profileStimuli = {".\\p1.stl"};
    m_config.designStimuli = {".\\d1.stl"};
    m_config.globalStimuli = {"D:\\stim\\Pulse.STL*"};
    // Changing a profile file copies it even where adding would not.
    m_dir.write("windows/ventra.ini", "[SIM PROFILE]\nLOCALIZE=0\n");
    openPage();
    click("&Change");  // nothing selected: nothing happens
    EXPECT_TRUE(boxes().empty());

    select(kFiles, ".\\d1.stl");
    click("&Change");  // the row's own file is already configured
    EXPECT_EQ(lastBox(), kAlready);
    type(kFileName, "D:\\proj\\d2.stl");
    click("&Change");
    EXPECT_EQ(rows(), (Items{".\\p1.stl", ".\\d2.stl", "D:\\stim\\Pulse.STL"}));

    select(kFiles, ".\\p1.stl");
    type(kFileName, "D:\\stim\\Pulse.STL");
    click("&Change");  // configured as a global file
    EXPECT_EQ(lastBox(), kAlready);
    m_dir.write("stim/Ramp.stl", "* ramp\n");
    type(kFileName, "D:\\stim\\Ramp.stl");
    click("&Change");
    EXPECT_EQ(rows(), (Items{".\\ramp.stl", ".\\d2.stl", "D:\\stim\\Pulse.STL"}));
    EXPECT_EQ(m_dir.read("proj/profiles/p1/Ramp.stl"), "* ramp\n");

    select(kFiles, "D:\\stim\\Pulse.STL");
    // The full path keeps the drive letter as it was typed, as Windows does.
    type(kFileName, "d:/proj/lib/../d1.stl");
    click("&Change");
    EXPECT_EQ(rows(), (Items{".\\ramp.stl", ".\\d2.stl", "d:\\proj\\d1.stl"}));
    click("OK");
    EXPECT_EQ(m_config.profileStimuli, (Strings{".\\ramp.stl"}));
    EXPECT_EQ(m_config.designStimuli, (Strings{".\\d2.stl"}));
    EXPECT_EQ(m_config.globalStimuli, (Strings{"d:\\proj\\d1.stl*"}));
}

// The help file is "ventra.chm" beside the library, and the build does not put one there:
// Help reports the help library's failure and tries again at every press, in every category.
// (With the help file, each category's topic opens: the golden script files_help.kvs runs a
// copy of the library that has one.)
TEST_F(FilesPageTest, HelpWithoutTheHelpFileReportsAndTriesAgain) {
    const std::string helpFile = helpFileBesideLibrary();
    ASSERT_EQ(GetFileAttributesA(helpFile.c_str()), INVALID_FILE_ATTRIBUTES) << helpFile;

    openPage();
    for (const char* name : {"Stimulus", "Library", "Include"}) {
        category(name);
        const std::size_t before = boxes().size();
        click("Help");
        ASSERT_EQ(boxes().size(), before + 1) << name;
        EXPECT_EQ(boxes().back(), "Failed to initialize Docvault : 2");
        EXPECT_EQ(
            m_desktop->transcript().entriesOf(kvwin32::TranscriptKind::messageBox).back()->icon,
            kvwin32::BoxIcon::error);
    }
    EXPECT_EQ(m_desktop->transcript().last(kvwin32::TranscriptKind::help), nullptr);
}

// Edit tells the model editor in the configuration file where the design comes from, then
// asks the host to open the file.
TEST_F(FilesPageTest, EditMarksTheDesignSourceInTheConfigurationFile) {
    m_dir.write("install/Ventra.ini", "[MODEL EDITOR]\nFROM_DRAFTER=OFF\n");
    m_dir.mkdir("home");
    SetEnvironmentVariableA("VENTRAINIPATH", "D:\\install\\Ventra.ini");
    SetEnvironmentVariableA("HOME", "D:\\home");
    m_config.designLibraries = {".\\lib\\opamp.lib"};
    m_profile.designSource = 1;
    openPage();
    category("Library");
    select(kFiles, ".\\lib\\opamp.lib");
    click("&Edit");
    m_profile.designSource = 0;
    click("&Edit");
    SetEnvironmentVariableA("VENTRAINIPATH", nullptr);
    SetEnvironmentVariableA("HOME", nullptr);
    using Call = RecordingFileConfig::Call;
    EXPECT_EQ(m_config.calls,
              (std::vector<Call>{{EditFileKind::library, "D:\\proj\\lib\\opamp.lib"},
                                 {EditFileKind::library, "D:\\proj\\lib\\opamp.lib"}}));
    // The per-user copy of the configuration file took both keys; the installed one is left.
    const std::string copy = m_dir.read("home/tdssetup/Korva_Ventra/17.0.0/Ventra.ini");
    EXPECT_NE(copy.find("FROM_DRAFTER=ON"), std::string::npos) << copy;
    EXPECT_NE(copy.find("FROM_DIAGRAM=ON"), std::string::npos) << copy;
    EXPECT_EQ(m_dir.read("install/Ventra.ini"), "[MODEL EDITOR]\nFROM_DRAFTER=OFF\n");
}

// A copy that fails (a read-only file of the same name stands in the profile folder) fails as
// a whole: no row, the file there unchanged, the profile unchanged.
TEST_F(FilesPageTest, ACopyThatFailsLeavesNothingBehind) {
    m_dir.write("stim/big.stl", std::string(256 * 1024, 'x'));
    const std::string profileHost = m_dir.host("proj/profiles/p1");
    m_dir.write("proj/profiles/p1/big.stl", "old\n");
    ASSERT_EQ(chmod((profileHost + "/big.stl").c_str(), 0444), 0);
    openPage();
    add("D:\\stim\\big.stl", "Add to Prof&ile");
    EXPECT_EQ(lastBox(), kCopyFailed);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(m_dir.read("proj/profiles/p1/big.stl"), "old\n");
    click("OK");
    EXPECT_TRUE(m_config.profileStimuli.empty());
    EXPECT_EQ(m_config.changed, 0);
}

// The page's own pictures: the Remove, Up and Down buttons are owner drawn and take the size
// of their 20 by 18 pixel faces; the file list's small images are the three 16-pixel scope
// pictures, and every row shows the picture of its scope.
TEST_F(FilesPageTest, ButtonsAndRowsShowTheirPictures) {
    m_config.globalStimuli = {"D:\\g.stl*"};
    m_config.designStimuli = {".\\d.stl"};
    m_config.profileStimuli = {".\\p.stl"};
    openPage();
    for (const char* button : {"&R", "&U", "&D"}) {
        const HWND hwnd = control(button);
        EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << button;
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        EXPECT_EQ(rect.right - rect.left, 20) << button;
        EXPECT_EQ(rect.bottom - rect.top, 18) << button;
    }
    const HWND list = control(kFiles);
    const auto images =
        reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    std::vector<int> shown;
    for (int i = 0; i < 3; ++i) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE | LVIF_PARAM;
        item.iItem = i;
        ASSERT_TRUE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        EXPECT_EQ(item.iImage, static_cast<int>(item.lParam));
        shown.push_back(item.iImage);
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 0}));  // profile, design, global
}

// A modeless sheet hidden and shown again builds the page's window anew: the page shows what
// was applied, in the category it showed, and its buttons and lists work on the new window.
TEST_F(FilesPageTest, AModelessSheetShownAgainStartsFromTheRecord) {
    m_config.designLibraries = {".\\lib\\opamp.lib"};
    openPage();
    category("Library");
    add("D:\\other\\x.lib", "&Add to Design");
    click("Apply");
    add("E:\\y.lib", "&Add to Design");  // not applied: gone with the window
    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_HIDE);
    pump();
    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
    pump();
    clickTab("Configuration Files");
    EXPECT_EQ(rows(), (Items{"..\\other\\x.lib", ".\\lib\\opamp.lib"}));
    EXPECT_TRUE(kvwin32::Robot::visible(control("Update Inde&x")));
    select(kFiles, ".\\lib\\opamp.lib");
    click("&U");
    EXPECT_EQ(rows(), (Items{".\\lib\\opamp.lib", "..\\other\\x.lib"}));
    click("OK");
    EXPECT_EQ(m_config.designLibraries, (Strings{".\\lib\\opamp.lib", "..\\other\\x.lib"}));
}

}  // namespace
