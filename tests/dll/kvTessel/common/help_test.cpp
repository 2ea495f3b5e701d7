// A page's Help button: initialisation of the help library with the application's help file,
// its two failure reports and the retry, the request under the wait cursor, and a refused
// request reported through the help failure box.
#include "MessageFixture.h"
#include "MessageText.h"
#include "TempDir.h"

namespace {

using kvtest::MessageFixture;
using kvwin32::TranscriptKind;

// A desktop with no help viewer: every help request is refused.
class NoHelpDesktop : public kvwin32::ScriptedDesktop {
  protected:
    bool showHelp(std::string_view, std::string_view) override { return false; }
};

class HelpTopicTest : public MessageFixture {
  protected:
    void SetUp() override {
        MessageFixture::SetUp();
        dir.write("ventra.chm", "help");
    }

    std::vector<const kvwin32::TranscriptEntry*> helps() const {
        return desk->transcript().entriesOf(TranscriptKind::help);
    }

    kvtest::TempDir dir;
};

TEST_F(HelpTopicTest, InitialisesOnceAndShowsTheTopicUnderTheWaitCursor) {
    setHelpFile(dir.win("ventra.chm").c_str());
    bool ready = false;
    ShowHelpTopic(49185, ready, HelpInitReport::docvaultText);
    EXPECT_TRUE(ready);
    ShowHelpTopic("49191", ready, HelpInitReport::docvaultText);
    EXPECT_TRUE(boxes().empty());
    const auto shown = helps();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0]->book, "vtug");
    EXPECT_EQ(shown[0]->text, "49185");
    EXPECT_EQ(shown[1]->text, "49191");

    // The wait cursor goes up before each request and comes down after it.
    std::vector<std::string> order;
    for (const kvwin32::TranscriptEntry& entry : desk->transcript().entries()) {
        if (entry.kind == TranscriptKind::help)
            order.push_back("help");
        else if (entry.kind == TranscriptKind::cursor)
            order.push_back("cursor");
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"cursor", "help", "cursor", "cursor", "help", "cursor"}));
}

TEST_F(HelpTopicTest, FailedInitialisationIsReportedAndRetried) {
    const struct {
        HelpInitReport report;
        const char* text;
        kvwin32::BoxIcon icon;
    } rows[] = {
        {HelpInitReport::docvaultText, "Failed to initialize Docvault : 2",
         kvwin32::BoxIcon::error},
        {HelpInitReport::catalogMessage, "Failed to initialize the help system (error 2).",
         kvwin32::BoxIcon::error},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        dvExit();
        desk->transcript().clear();
        setHelpFile(dir.win("missing.chm").c_str());
        bool ready = false;
        desk->queueBoxAnswer(IDOK);
        ShowHelpTopic(49185, ready, row.report);
        EXPECT_FALSE(ready);
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0]->text, row.text);
        EXPECT_EQ(boxes()[0]->icon, row.icon);
        EXPECT_EQ(boxes()[0]->caption, "Tessel Tests");
        EXPECT_TRUE(helps().empty());

        // The next press tries again and, with the file in place, shows the topic.
        setHelpFile(dir.win("ventra.chm").c_str());
        ShowHelpTopic(49185, ready, row.report);
        EXPECT_TRUE(ready);
        EXPECT_EQ(boxes().size(), 1u);
        EXPECT_EQ(helps().size(), 1u);
    }
}

TEST_F(HelpTopicTest, NoHelpFileIsAnInitialisationFailure) {
    setHelpFile(nullptr);
    bool ready = false;
    desk->queueBoxAnswer(IDOK);
    ShowHelpTopic(1, ready, HelpInitReport::docvaultText);
    EXPECT_FALSE(ready);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0]->text, "Failed to initialize Docvault : 13");
}

TEST_F(HelpTopicTest, RefusedRequestIsReportedInTheHelpBox) {
    setHelpFile(dir.win("ventra.chm").c_str());
    kvwin32::DesktopScope noHelp(std::make_unique<NoHelpDesktop>());
    bool ready = false;
    ShowHelpTopic(49185, ready, HelpInitReport::catalogMessage);
    EXPECT_TRUE(ready);
    const auto shown = kvwin32::desktop().transcript().entriesOf(TranscriptKind::messageBox);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->caption, "Help");
    EXPECT_EQ(shown[0]->text, "The help viewer could not be started.");
    EXPECT_EQ(shown[0]->icon, kvwin32::BoxIcon::error);
}

}  // namespace
