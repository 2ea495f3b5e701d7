// Registering catalog files for modules and looking messages up through a status.
#include <gtest/gtest.h>

#include "ScopedVariable.h"
#include "TempDir.h"
#include "sb/SBLibraryMessages.h"
#include "sb/SBMessageManager.h"
#include "sb/SBStatus.h"
#include "sb/SBTdsUtil.h"

namespace {

std::string catalog(std::string_view module, std::string_view messages) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog module=\"" + std::string(module) +
           "\">\n" + std::string(messages) + "</catalog>\n";
}

// Every test starts from an empty manager whose catalogs come from its own folder, with no
// installation root.
class SBMessageModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SBMessageManager::initMS();
        manager().reset();
        manager().setCatalogFolder(m_dir.win());
    }
    void TearDown() override { manager().reset(); }

    static SBMessageManager& manager() { return SBMessageManager::getInstance(); }

    // The texts of every message in a status, in order.
    static std::vector<std::string> texts(SBStatus& status) {
        std::vector<std::string> out;
        status.initPosition();
        while (const SBMessage* m = status.getNext())
            out.push_back(m->getSubstitutedDesc().str());
        return out;
    }

    kvtest::ScopedVariable m_noRoot{"TDSROOT", nullptr};
    kvtest::TempDir m_dir;
};

TEST_F(SBMessageModuleTest, LooksUpTypeAndSubstitutedText) {
    m_dir.write("a.xml",
                catalog("ZAZARIZ",
                        "<message number=\"5026\" type=\"4\">The directory name \"%1\" is "
                        "not valid.</message>\n"
                        "<message number=\"5029\" type=\"7\">Create \"%1\"?</message>\n"
                        "<message number=\"5001\" type=\"1\">Failed (error %1).</message>\n"));
    SBMessageModule* module = manager().loadModule("ZAZARIZ", nullptr);
    ASSERT_NE(module, nullptr);
    SBStatus reg(false);
    EXPECT_TRUE(module->registerCatalog("a.xml", reg));
    EXPECT_TRUE(reg.isOK());
    EXPECT_EQ(reg.count(), 0u);

    struct Case {
        int number;
        SBParamList params;
        int type;
        const char* text;
    };
    SBParamList str, num, none;
    str.addParameterToList("C:\\out");
    num.addParameterToList(3);
    none.addParameterToList();
    const Case cases[] = {
        {5026, str, 4, "The directory name \"C:\\out\" is not valid."},
        {5029, str, 7, "Create \"C:\\out\"?"},
        {5001, num, 1, "Failed (error 3)."},
        {5001, none, 1, "Failed (error %1)."},
    };
    for (const Case& c : cases) {
        SBStatus status(false);
        // Module names are looked up without regard to case.
        ASSERT_TRUE(status.addMessage("zazariz", c.number, nullptr, c.params.getParameterList()))
            << c.number;
        status.initPosition();
        const SBMessage* m = status.getNext();
        ASSERT_NE(m, nullptr) << c.number;
        EXPECT_EQ(m->getType(), c.type) << c.number;
        EXPECT_STREQ(m->getSubstitutedDesc(true).getChar(), c.text) << c.number;
        EXPECT_EQ(status.getNext(), nullptr);
    }
}

TEST_F(SBMessageModuleTest, UnknownNumberYieldsNoMessage) {
    m_dir.write("a.xml", catalog("M", "<message number=\"1\" type=\"4\">x</message>\n"));
    SBStatus reg(false);
    ASSERT_TRUE(manager().loadModule("M")->registerCatalog("a.xml", reg));
    SBStatus status(false);
    EXPECT_FALSE(status.addMessage("M", 2, nullptr, {}));
    status.initPosition();
    EXPECT_EQ(status.getNext(), nullptr);
    EXPECT_TRUE(status.isOK());
}

TEST_F(SBMessageModuleTest, MissingCatalogIsReportedOnce) {
    SBMessageModule* module = manager().loadModule("M");
    SBStatus first(false);
    EXPECT_FALSE(module->registerCatalog("absent.xml", first));
    EXPECT_FALSE(first.isOK());
    const std::vector<std::string> reported = texts(first);
    ASSERT_EQ(reported.size(), 1u) << "one report, not one per folder searched";
    EXPECT_NE(reported[0].find("\"absent.xml\" was not found"), std::string::npos) << reported[0];
    EXPECT_NE(reported[0].find(m_dir.win()), std::string::npos) << "names the folders searched";

    SBStatus again(false);
    EXPECT_FALSE(module->registerCatalog("ABSENT.xml", again));
    EXPECT_EQ(again.count(), 0u);
    SBStatus otherModule(false);
    EXPECT_FALSE(manager().loadModule("N")->registerCatalog("absent.xml", otherModule));
    EXPECT_EQ(otherModule.count(), 0u);
}

TEST_F(SBMessageModuleTest, MalformedCatalogIsReportedOnceAndNotSkipped) {
    kvtest::TempDir root;
    root.write("tools/catalogs/bad.xml", "<catalog module=\"M\"><message number=\"1\">");
    m_dir.write("bad.xml", catalog("M", "<message number=\"1\" type=\"4\">good</message>\n"));
    kvtest::ScopedVariable tdsRoot("TDSROOT", root.win().c_str());

    SBMessageModule* module = manager().loadModule("M");
    SBStatus first(false);
    EXPECT_FALSE(module->registerCatalog("bad.xml", first));
    const std::vector<std::string> reported = texts(first);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("cannot be read"), std::string::npos) << reported[0];
    EXPECT_NE(reported[0].find(root.win("tools\\catalogs\\bad.xml")), std::string::npos)
        << reported[0];
    SBStatus lookup(false);
    EXPECT_FALSE(lookup.addMessage("M", 1, nullptr, {}))
        << "the good copy in the second folder must not be used";

    SBStatus again(false);
    EXPECT_FALSE(module->registerCatalog("bad.xml", again));
    EXPECT_EQ(again.count(), 0u);
}

TEST_F(SBMessageModuleTest, CatalogOfAnotherModuleIsRefused) {
    m_dir.write("a.xml", catalog("OTHER", "<message number=\"1\" type=\"4\">x</message>\n"));
    SBStatus status(false);
    EXPECT_FALSE(manager().loadModule("M")->registerCatalog("a.xml", status));
    const std::vector<std::string> reported = texts(status);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("belongs to module OTHER, not to module M"), std::string::npos)
        << reported[0];
}

TEST_F(SBMessageModuleTest, SeveralCatalogsMakeOneModuleAndTheEarlierWins) {
    m_dir.write("one.xml", catalog("M",
                                   "<message number=\"1\" type=\"4\">from one</message>\n"
                                   "<message number=\"2\" type=\"4\">two</message>\n"));
    m_dir.write("Two.XML", catalog("m",
                                   "<message number=\"1\" type=\"1\">from two</message>\n"
                                   "<message number=\"3\" type=\"7\">three</message>\n"));
    m_dir.write("empty.xml", catalog("M", ""));
    SBMessageModule* module = manager().loadModule("M");
    SBStatus reg(false);
    EXPECT_TRUE(module->registerCatalog("one.xml", reg));
    EXPECT_TRUE(module->registerCatalog("two.xml", reg)) << "file names are case-insensitive";
    EXPECT_TRUE(module->registerCatalog("empty.xml", reg));
    EXPECT_TRUE(module->registerCatalog("ONE.xml", reg)) << "already registered";
    EXPECT_EQ(reg.count(), 0u);
    EXPECT_EQ(module->catalogs(), (std::vector<std::string>{"one.xml", "two.xml", "empty.xml"}));
    EXPECT_EQ(manager().loadModule("m"), module) << "one module per name, any case";

    struct Case {
        int number;
        int type;
        const char* text;
    };
    for (const Case& c : {Case{1, 4, "from one"}, Case{2, 4, "two"}, Case{3, 7, "three"}}) {
        const SBMessageModule::Entry* e = module->find(c.number);
        ASSERT_NE(e, nullptr) << c.number;
        EXPECT_EQ(e->type, c.type) << c.number;
        EXPECT_EQ(e->text, c.text) << c.number;
    }
}

TEST_F(SBMessageModuleTest, InstallationFolderComesBeforeTheLibraryFolder) {
    kvtest::TempDir root;
    root.write("tools/catalogs/c.xml",
               catalog("M", "<message number=\"1\" type=\"4\">installed</message>\n"));
    m_dir.write("c.xml", catalog("M", "<message number=\"1\" type=\"4\">beside</message>\n"));
    m_dir.write("d.xml", catalog("M", "<message number=\"2\" type=\"4\">only beside</message>\n"));
    const std::string rootWithSeparator = root.win() + "\\";
    kvtest::ScopedVariable tdsRoot("TDSROOT", rootWithSeparator.c_str());

    EXPECT_EQ(manager().catalogFolders(),
              (std::vector<std::string>{root.win() + "\\tools\\catalogs", m_dir.win()}));
    SBMessageModule* module = manager().loadModule("M");
    SBStatus reg(false);
    EXPECT_TRUE(module->registerCatalog("c.xml", reg));
    EXPECT_TRUE(module->registerCatalog("d.xml", reg));
    ASSERT_NE(module->find(1), nullptr);
    EXPECT_EQ(module->find(1)->text, "installed");
    ASSERT_NE(module->find(2), nullptr);
    EXPECT_EQ(module->find(2)->text, "only beside");
}

TEST_F(SBMessageModuleTest, LibraryFolderIsTheDefaultSecondLocation) {
    manager().setCatalogFolder(std::nullopt);
    const std::vector<std::string> folders = manager().catalogFolders();
    ASSERT_EQ(folders.size(), 1u);
    // The folder of the shared object that holds the message library, as a Windows path.
    EXPECT_EQ(folders[0].find(':'), 1u) << folders[0];
    EXPECT_NE(folders[0], m_dir.win());
}

TEST_F(SBMessageModuleTest, ParentModuleAnswersWhatTheChildLacks) {
    m_dir.write("p.xml", catalog("P", "<message number=\"1\" type=\"5\">parent</message>\n"));
    m_dir.write("c.xml", catalog("C", "<message number=\"2\" type=\"4\">child</message>\n"));
    SBMessageModule* parent = manager().loadModule("P");
    SBMessageModule* child = manager().loadModule("C", parent);
    SBStatus reg(false);
    ASSERT_TRUE(parent->registerCatalog("p.xml", reg));
    ASSERT_TRUE(child->registerCatalog("c.xml", reg));
    SBStatus status(false);
    EXPECT_TRUE(status.addMessage("C", 1, "page", {}));
    EXPECT_TRUE(status.addMessage("C", 2, nullptr, {}));
    EXPECT_FALSE(status.addMessage("P", 2, nullptr, {}));
    status.initPosition();
    const SBMessage* m = status.getNext();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->getType(), 5);
    EXPECT_EQ(m->getPosition(), "page");
}

TEST_F(SBMessageModuleTest, BadArgumentsFailWithoutCrashing) {
    EXPECT_EQ(manager().loadModule(nullptr), nullptr);
    EXPECT_EQ(manager().loadModule(""), nullptr);
    SBStatus status(false);
    EXPECT_FALSE(manager().loadModule("M")->registerCatalog(nullptr, status));
    EXPECT_EQ(status.count(), 1u);
    // A name that makes the path longer than the original's 260 characters is never opened.
    SBStatus longName(false);
    EXPECT_FALSE(
        manager().loadModule("M")->registerCatalog(std::string(300, 'a').c_str(), longName));
    EXPECT_EQ(longName.count(), 1u);
}

TEST(SBTdsUtilTest, RecordsTheProductName) {
    SBTdsUtil::tdsUtilInit("ventra");
    EXPECT_EQ(SBTdsUtil::productName(), "ventra");
    SBTdsUtil::tdsUtilInit(nullptr);
    EXPECT_EQ(SBTdsUtil::productName(), "ventra");
}

}  // namespace
