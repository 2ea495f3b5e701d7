// The checkpoint and restart dialogs' rules as tables: forbidden folder characters, the
// checkpoint folder choice in its order, the restart choice in its order, the same folder for
// checkpoint and restart, and folder texts resolved, tested and created on a drive table over a
// temporary folder (a chain that cannot be made whole leaves nothing behind).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"
#include <windows.h>

#include "kvwin32/drives.h"
#include "pages/analysis/CheckpointRules.h"

namespace {

constexpr int kList = 11;
constexpr int kSim = 12;
constexpr int kCombo = 13;

TEST(CheckpointRules, ForbiddenFolderCharacters) {
    const struct {
        const char* folder;
        bool forbidden;
    } rows[] = {
        {"ckpt1", false},      {"D:\\runs\\ck 1", false},
        {"a>b", true},         {"a<b", true},
        {"what?", true},       {"ck*", true},
        {"a|b", true},         {"", false},
        {"..\\up\\ck", false}, {"ck:pt", false},  // ':' is left to the file system
    };
    for (const auto& r : rows) {
        EXPECT_EQ(HasForbiddenFolderCharacter(r.folder), r.forbidden) << r.folder;
    }
}

TEST(CheckpointRules, TrimLeadingBlanksAndFolderComparison) {
    EXPECT_EQ(TrimLeadingBlanks("  10u "), "10u ");
    EXPECT_EQ(TrimLeadingBlanks("\t 1m"), "1m");
    EXPECT_EQ(TrimLeadingBlanks("   "), "");
    EXPECT_EQ(TrimLeadingBlanks(""), "");
    EXPECT_TRUE(SameFolderText("CKPT", "ckpt"));
    EXPECT_TRUE(SameFolderText("D:\\Runs\\A", "d:\\runs\\a"));
    EXPECT_FALSE(SameFolderText("ckpt", "ckpt1"));
    EXPECT_FALSE(SameFolderText("ckpt", ""));
}

TEST(CheckpointRules, CheckpointChoiceInOrder) {
    struct Row {
        const char* name;
        int row;
        const char* text;
        bool hasEntry;
        std::vector<std::string> others;
        const char* sim;
        const char* real;
        const char* points;
        std::optional<Refusal> expected;
    };
    const Refusal none{msg::noCheckpointFolder, kList, {}, 0};
    auto invalid = [](const char* f) {
        return Refusal{msg::invalidFolderName, kList, std::string(f), 0};
    };
    auto twice = [](const char* f) {
        return Refusal{msg::folderListedTwice, kList, std::string(f), 0};
    };
    const Refusal noInterval{msg::noIntervalOrTimes, kSim, {}, 0};
    const Row rows[] = {
        {"no row", -1, "", false, {}, "1u", "", "", none},
        {"no row before anything else", -1, "a?", true, {"a?"}, "", "", "", none},
        {"forbidden", 0, "ck>1", true, {}, "1u", "", "", invalid("ck>1")},
        {"forbidden before duplicate", 1, "a|b", true, {"A|B"}, "1u", "", "", invalid("a|b")},
        {"duplicate ignoring case",
         1,
         "CKPT",
         true,
         {"ckpt", "other"},
         "1u",
         "",
         "",
         twice("CKPT")},
        {"duplicate before intervals", 0, "ckpt", true, {"Ckpt"}, "", "", "", twice("ckpt")},
        {"no duplicate test without entry", 2, "ckpt", false, {"ckpt"}, "1u", "", "", std::nullopt},
        {"nothing given", 0, "ckpt", true, {"other"}, "", "", "", noInterval},
        {"simulation interval", 0, "ckpt", true, {}, "1u", "", "", std::nullopt},
        {"real time interval", 0, "ckpt", true, {}, "", "10", "", std::nullopt},
        {"time points", 0, "ckpt", true, {}, "", "", "1m 2m", std::nullopt},
        {"prefix is no duplicate", 0, "ck", true, {"ckpt"}, "1u", "", "", std::nullopt},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CheckpointChoice c;
        c.selectedRow = r.row;
        c.rowText = r.text;
        c.rowHasEntry = r.hasEntry;
        c.otherDirectories = r.others;
        c.simInterval = r.sim;
        c.realTimeInterval = r.real;
        c.timePoints = r.points;
        c.folderListId = kList;
        c.simIntervalId = kSim;
        EXPECT_EQ(CheckCheckpointChoice(c), r.expected);
    }
    EXPECT_EQ(CreateMissingFolderQuestion("D:\\x", kList),
              (Refusal{msg::createMissingFolder, kList, std::string("D:\\x"),
                       MB_YESNO | MB_ICONQUESTION}));
    EXPECT_EQ(FolderNotCreated("D:\\x", kList), invalid("D:\\x"));
}

TEST(CheckpointRules, RestartChoiceInOrder) {
    struct Row {
        const char* name;
        int row, count;
        bool isDir, mapRead;
        int time;
        std::optional<Refusal> expected;
    };
    const std::string path = "D:\\p\\ck1";
    const Refusal none{msg::noRestartFolder, 0, {}, 0};
    const Refusal missing{msg::restartFolderMissing, kList, path, 0};
    const Refusal noMap{msg::noReadableStateMap, kList, path, 0};
    const Refusal noTime{msg::noRestartTime, kCombo, {}, 0};
    const Row rows[] = {
        {"no row", -1, 2, true, true, 0, none},
        {"row past the end", 2, 2, true, true, 0, none},
        {"empty list", 0, 0, true, true, 0, none},
        {"missing folder", 0, 2, false, false, 0, missing},
        {"no state_map", 1, 2, true, false, 0, noMap},
        {"no time", 1, 2, true, true, -1, noTime},
        {"complete", 1, 2, true, true, 0, std::nullopt},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        RestartChoice c;
        c.selectedRow = r.row;
        c.rowCount = r.count;
        c.fullPath = path;
        c.isDirectory = r.isDir;
        c.stateMapRead = r.mapRead;
        c.timeSelection = r.time;
        c.folderListId = kList;
        c.timeComboId = kCombo;
        EXPECT_EQ(CheckRestartChoice(c), r.expected);
    }
}

TEST(CheckpointRules, RestartFolderMustDifferFromTheRunsCheckpointFolder) {
    const Refusal same{msg::restartIsCheckpointFolder, 0, {}, MB_ICONQUESTION | MB_OK};
    EXPECT_EQ(CheckRestartAgainstCheckpoint(true, "ckpt1", "CKPT1"), same);
    EXPECT_EQ(CheckRestartAgainstCheckpoint(true, "ckpt1", "ckpt2"), std::nullopt);
    EXPECT_EQ(CheckRestartAgainstCheckpoint(false, "ckpt1", "ckpt1"), std::nullopt);
    EXPECT_EQ(CheckRestartAgainstCheckpoint(true, "", "ckpt1"), std::nullopt);
}

// Drive D: over a temporary folder; the profile's folder is D:\proj.
class CheckpointFolderTest : public ::testing::Test {
  protected:
    CheckpointFolderTest() {
        m_saved = kvwin32::driveTable();
        m_dir.mkdir("d/proj/ck1");
        m_dir.write("d/proj/afile", "x");
        kvwin32::setDriveTable("C:=/;D:=" + m_dir.host("d"));
        ::GetCurrentDirectoryA(sizeof m_savedCwd, m_savedCwd);
    }
    ~CheckpointFolderTest() override {
        ::SetCurrentDirectoryA(m_savedCwd);
        kvwin32::setDriveTable(m_saved);
    }
    kvtest::TempDir m_dir;
    std::string m_saved;
    char m_savedCwd[260] = {};
};

TEST_F(CheckpointFolderTest, RelativeFoldersAreTakenInTheBaseFolder) {
    EXPECT_EQ(ResolveFolder("ck1", "D:\\proj"), "D:\\proj\\ck1");
    EXPECT_EQ(ResolveFolder("..\\other", "D:\\proj"), "D:\\other");
    EXPECT_EQ(ResolveFolder("D:\\abs", "D:\\proj"), "D:\\abs");
    EXPECT_EQ(ResolveFolder(std::string(300, 'a'), "D:\\proj"), std::string(300, 'a'));
    EXPECT_TRUE(FolderExists("ck1", "D:\\proj"));
    EXPECT_TRUE(FolderExists("CK1", "D:\\proj"));
    EXPECT_TRUE(FolderExists("D:\\proj\\ck1", "C:\\"));
    EXPECT_FALSE(FolderExists("ck2", "D:\\proj"));
    EXPECT_FALSE(FolderExists("afile", "D:\\proj"));
    EXPECT_FALSE(FolderExists("", "D:\\proj"));
}

TEST_F(CheckpointFolderTest, AChainIsMadeWholeOrNotAtAll) {
    EXPECT_TRUE(CreateFolderChain("D:\\proj\\runs\\a\\b"));
    EXPECT_EQ(GetFileAttributesA("D:\\proj\\runs\\a\\b") & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(CreateFolderChain("D:\\proj\\ck1"));  // already there

    // The last folder's name is one the file system refuses: the two made before it go again.
    EXPECT_FALSE(CreateFolderChain("D:\\proj\\new\\deeper\\bad\"name"));
    EXPECT_EQ(GetFileAttributesA("D:\\proj\\new"), INVALID_FILE_ATTRIBUTES);
    // A file in the way: nothing is made, and the folders that were there stay.
    m_dir.write("d/proj/runs/afile2", "x");
    EXPECT_FALSE(CreateFolderChain("D:\\proj\\runs\\afile2\\x"));
    EXPECT_NE(GetFileAttributesA("D:\\proj\\runs\\a\\b"), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA("D:\\proj\\runs\\afile2"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
