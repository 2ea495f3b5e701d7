// The help library stand-in: dvInitEx's checks of the help file and dvShowTag's hand-over to
// the desktop, with the status codes of each failure.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "dv/dvHelp.h"
#include "kvwin32/desktop.h"

namespace {

class RefusingDesktop : public kvwin32::ScriptedDesktop {
  protected:
    bool showHelp(std::string_view, std::string_view) override { return false; }
};

class HelpLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dvExit();
        dir.write("ventra.chm", "help");
        dir.mkdir("folder.chm");
    }
    void TearDown() override { dvExit(); }

    kvtest::TempDir dir;
    kvwin32::DesktopScope scope{std::make_unique<kvwin32::ScriptedDesktop>()};
};

TEST_F(HelpLibraryTest, InitialisationChecksTheHelpFile) {
    const std::string tooLong = "C:\\" + std::string(400, 'a') + ".chm";
    const struct {
        std::string path;
        bool null;
        int status;
    } rows[] = {
        {dir.win("ventra.chm"), false, DV_OK},
        {dir.win("VENTRA.CHM"), false, DV_OK},  // Windows paths ignore case
        {dir.win("missing.chm"), false, DV_ERR_FILE_NOT_FOUND},
        {dir.win("folder.chm"), false, DV_ERR_CANNOT_OPEN},
        {tooLong, false, DV_ERR_FILE_NOT_FOUND},
        {"", false, DV_ERR_NO_HELP_PATH},
        {"", true, DV_ERR_NO_HELP_PATH},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.null ? "<null>" : row.path);
        EXPECT_EQ(dvInitEx(row.null ? nullptr : row.path.c_str(), "ventra"), row.status);
    }
}

TEST_F(HelpLibraryTest, ShowTagNeedsASuccessfulInitialisation) {
    int error = -1;
    EXPECT_EQ(dvShowTag("vtug", "49185", 0, 0, 0, &error), 0);
    EXPECT_EQ(error, DV_ERR_NOT_INITIALIZED);
    ASSERT_NE(dvInitEx(dir.win("missing.chm").c_str(), nullptr), DV_OK);
    EXPECT_EQ(dvShowTag("vtug", "49185", 0, 0, 0, &error), 0);
    EXPECT_EQ(error, DV_ERR_NOT_INITIALIZED);
    EXPECT_TRUE(kvwin32::desktop().transcript().entriesOf(kvwin32::TranscriptKind::help).empty());
}

TEST_F(HelpLibraryTest, ShowTagHandsTheRequestToTheDesktop) {
    ASSERT_EQ(dvInitEx(dir.win("ventra.chm").c_str(), "ventra"), DV_OK);
    // A failed later initialisation does not undo the earlier success.
    EXPECT_EQ(dvInitEx(dir.win("missing.chm").c_str(), "ventra"), DV_ERR_FILE_NOT_FOUND);
    int error = -1;
    EXPECT_NE(dvShowTag("vtug", "49185", 0, 0, 0, &error), 0);
    EXPECT_EQ(error, DV_OK);
    EXPECT_NE(dvShowTag("vtug", "49186", 0, 0, 0, nullptr), 0);
    const auto helps = kvwin32::desktop().transcript().entriesOf(kvwin32::TranscriptKind::help);
    ASSERT_EQ(helps.size(), 2u);
    EXPECT_EQ(helps[0]->book, "vtug");
    EXPECT_EQ(helps[0]->text, "49185");
    EXPECT_EQ(helps[1]->text, "49186");
}

TEST_F(HelpLibraryTest, BadRequestsAndRefusalsAnswerZeroWithTheirCode) {
    ASSERT_EQ(dvInitEx(dir.win("ventra.chm").c_str(), "ventra"), DV_OK);
    const struct {
        const char* book;
        const char* tag;
        int error;
    } rows[] = {
        {nullptr, "1", DV_ERR_NO_BOOK},
        {"", "1", DV_ERR_NO_BOOK},
        {"vtug", nullptr, DV_ERR_NO_TOPIC},
        {"vtug", "", DV_ERR_NO_TOPIC},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << (row.book ? row.book : "<null>") << " / "
                                          << (row.tag ? row.tag : "<null>"));
        int error = -1;
        EXPECT_EQ(dvShowTag(row.book, row.tag, 0, 0, 0, &error), 0);
        EXPECT_EQ(error, row.error);
    }
    kvwin32::DesktopScope refusing(std::make_unique<RefusingDesktop>());
    int error = -1;
    EXPECT_EQ(dvShowTag("vtug", "49185", 0, 0, 0, &error), 0);
    EXPECT_EQ(error, DV_ERR_VIEWER_FAILED);
    EXPECT_EQ(dvShowTag("vtug", "49185", 0, 0, 0, nullptr), 0);
}

TEST_F(HelpLibraryTest, OverLongTopicIsCutNotOverrun) {
    ASSERT_EQ(dvInitEx(dir.win("ventra.chm").c_str(), "ventra"), DV_OK);
    const std::string topic(5000, '7');
    int error = -1;
    EXPECT_NE(dvShowTag("vtug", topic.c_str(), 0, 0, 0, &error), 0);
    const auto* help = kvwin32::desktop().transcript().last(kvwin32::TranscriptKind::help);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text, std::string(1024, '7'));
}

}  // namespace
