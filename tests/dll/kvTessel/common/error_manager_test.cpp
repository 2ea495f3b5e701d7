// The catalog manager: its module table, registration once per module, and the report of a
// catalog that cannot be registered.
#include "MessageFixture.h"
#include "MessageText.h"
#include "TempDir.h"
#include "sb/SBMessageModule.h"

namespace {

using kvtest::MessageFixture;

const std::vector<std::string> kZazarizCatalogs = {"waveView.xml", "exprEval.xml", "kvTessel.xml",
                                                   "simMgr.xml"};

TEST(ErrorManagerTable, HoldsFifteenModulesWithTheTwoThisLibraryUses) {
    kvErrorManager& manager = kvErrorManager::instance();
    EXPECT_EQ(&manager, &kvErrorManager::instance());
    EXPECT_EQ(manager.moduleCount(), 15u);
    EXPECT_EQ(manager.catalogsOf("ZAZARIZ"), kZazarizCatalogs);
    const std::vector<std::string>& common = manager.catalogsOf("KVCOMMN");
    ASSERT_EQ(common.size(), 21u);
    for (const std::string& file : common)
        EXPECT_TRUE(file.starts_with("kvc") && file.ends_with(".xml")) << file;
    EXPECT_TRUE(manager.catalogsOf("NOSUCHMOD").empty());
}

TEST_F(MessageFixture, TwoLookupsRegisterTheModuleCatalogsOnceInOrder) {
    std::string text;
    ASSERT_EQ(GetMessageText(text, "ZAZARIZ", 5050), 0);
    const SBMessageModule* module = SBMessageManager::getInstance().findModule("ZAZARIZ");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->catalogs(), kZazarizCatalogs);
    EXPECT_TRUE(kvErrorManager::instance().isAttempted("ZAZARIZ"));

    // Once attempted, the manager never registers again: with the message library emptied
    // behind its back, a second lookup finds nothing instead of loading the catalogs anew.
    SBMessageManager::getInstance().reset();
    text = "unchanged";
    EXPECT_EQ(GetMessageText(text, "ZAZARIZ", 5050), -1);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(SBMessageManager::getInstance().findModule("ZAZARIZ"), nullptr);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MessageFixture, UnknownModuleLoadsNothingAndIsRemembered) {
    kvErrorManager& manager = kvErrorManager::instance();
    EXPECT_FALSE(manager.isAttempted("NOSUCHMOD"));
    EXPECT_TRUE(manager.ensureModule("NOSUCHMOD"));
    EXPECT_TRUE(manager.isAttempted("NOSUCHMOD"));
    EXPECT_EQ(SBMessageManager::getInstance().findModule("NOSUCHMOD"), nullptr);
    std::string text = "unchanged";
    EXPECT_EQ(GetMessageText(text, "NOSUCHMOD", 1), -1);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(ShowMessage("NOSUCHMOD", 1, 0, 0), -1);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MessageFixture, NullModuleNameIsTreatedAsUnknown) {
    std::string text = "unchanged";
    EXPECT_EQ(GetMessageText(text, nullptr, 5050), -1);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(ShowMessage(nullptr, 5050, 0, 0), -1);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(MessageFixture, MissingCatalogsAreReportedInOnePlainBoxEachAndNotRetried) {
    // Catalogs looked for only in an empty folder: none of ZAZARIZ's four can be found.
    kvtest::TempDir empty;
    SBMessageManager::getInstance().setCatalogFolder(empty.win());
    EXPECT_FALSE(kvErrorManager::instance().ensureModule("ZAZARIZ"));
    const auto shown = boxes();
    ASSERT_EQ(shown.size(), kZazarizCatalogs.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(kZazarizCatalogs[i]);
        EXPECT_EQ(shown[i]->icon, kvwin32::BoxIcon::none);
        EXPECT_EQ(shown[i]->buttons, kvwin32::BoxButtons::ok);
        EXPECT_EQ(shown[i]->caption, "Error");
        EXPECT_NE(shown[i]->text.find(kZazarizCatalogs[i]), std::string::npos) << shown[i]->text;
        EXPECT_TRUE(shown[i]->text.ends_with("\n\n")) << shown[i]->text;
    }

    // The module was attempted: lookups go ahead, find nothing and show no further box.
    std::string text;
    EXPECT_EQ(GetMessageText(text, "ZAZARIZ", 5050), -1);
    EXPECT_EQ(ShowMessage("ZAZARIZ", 5050, 0, 0), -1);
    EXPECT_TRUE(kvErrorManager::instance().ensureModule("ZAZARIZ"));
    EXPECT_EQ(boxes().size(), kZazarizCatalogs.size());
    SBMessageManager::getInstance().setCatalogFolder(std::nullopt);
}

TEST_F(MessageFixture, SessionLogSinkGetsShownTextsOnlyWhenSwitchedOn) {
    std::vector<std::string> logged;
    kvErrorManager::instance().setSessionLogSink(
        [&](std::string_view text) { logged.emplace_back(text); });
    desk->queueBoxAnswer(IDOK);
    ShowMessage("ZAZARIZ", 5031, 0, 0);
    EXPECT_TRUE(logged.empty());

    kvtest::EnvVariable dump("KORVA_DUMP_MSGBOX_MESSAGES_IN_SESSION_LOG", "1");
    desk->queueBoxAnswer(IDOK);
    ShowMessage("ZAZARIZ", 5031, 0, 0);
    std::string fetched;
    GetMessageText(fetched, "ZAZARIZ", 5050);  // fetched, not shown: not dumped
    EXPECT_EQ(logged, std::vector<std::string>{"Please enter a file name."});
}

}  // namespace
