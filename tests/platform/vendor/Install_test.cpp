// The installation library: program name, installation root and the setup-file search.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "ScopedVariable.h"
#include "TempDir.h"
#include "tds/csf.h"
#include "tds/tds.h"

namespace {

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};
using RootText = std::unique_ptr<char, FreeDeleter>;

class InstallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tds::resetInstallation();
        tds::resetSetupSearch();
    }
    void TearDown() override {
        tds::resetInstallation();
        tds::resetSetupSearch();
    }
};

TEST_F(InstallTest, TdsInitRecordsTheProgramName) {
    EXPECT_EQ(tds::programName(), "");
    const char* argv[] = {"tds_root.exe", "extra"};
    EXPECT_EQ(tdsInit(1, argv), 0);
    EXPECT_EQ(tds::programName(), "tds_root.exe");
    EXPECT_EQ(tdsInit(0, argv), 0);
    EXPECT_EQ(tdsInit(1, nullptr), 0);
    const char* nullName[] = {nullptr};
    EXPECT_EQ(tdsInit(1, nullName), 0);
    EXPECT_EQ(tds::programName(), "tds_root.exe") << "nothing usable replaces the name";
}

TEST_F(InstallTest, InstallRootComesFromTdsroot) {
    struct Case {
        const char* value;     // null: unset
        const char* expected;  // null: no root
    };
    const Case cases[] = {
        {nullptr, nullptr},
        {"", nullptr},
        {"C:\\korva\\17.0", "C:\\korva\\17.0"},
        {"D:\\with blanks\\", "D:\\with blanks\\"},
    };
    for (const Case& c : cases) {
        kvtest::ScopedVariable root("TDSROOT", c.value);
        const RootText answer(tdsGetInstallRoot());
        if (!c.expected) {
            EXPECT_EQ(answer, nullptr) << (c.value ? c.value : "(unset)");
        } else {
            ASSERT_NE(answer, nullptr) << c.value;
            EXPECT_STREQ(answer.get(), c.expected);
        }
    }
}

TEST_F(InstallTest, VariableNamesAreCaseInsensitive) {
    kvtest::ScopedVariable root("TdsRoot", "C:\\r");
    const RootText answer(tdsGetInstallRoot());
    ASSERT_NE(answer, nullptr);
    EXPECT_STREQ(answer.get(), "C:\\r");
}

TEST_F(InstallTest, SearchWalksTheSetupPathInOrder) {
    kvtest::TempDir dir;
    dir.write("first/other.ini", "x");
    dir.write("second/ventra.ini", "x");
    dir.write("third/ventra.ini", "x");
    dir.write("third/sub/deep.ini", "x");
    const std::string path = " \"" + dir.win("missing") + "\" ;;" + dir.win("first") + ";" +
                             dir.win("second") + "\\;" + dir.win("third");
    kvtest::ScopedVariable setupPath("KV_SETUP_PATH", path.c_str());
    ASSERT_EQ(csfInitialize(), 0);
    EXPECT_EQ(tds::setupSearchFolders(),
              (std::vector<std::string>{dir.win("missing"), dir.win("first"),
                                        dir.win("second") + "\\", dir.win("third")}));

    struct Case {
        const char* name;
        int answer;
        std::string found;
    };
    const Case cases[] = {
        {"ventra.ini", CSF_FOUND, dir.win("second\\ventra.ini")},
        {"other.ini", CSF_FOUND, dir.win("first\\other.ini")},
        {"sub\\deep.ini", CSF_FOUND, dir.win("third\\sub\\deep.ini")},
        {"sub", CSF_FOUND, dir.win("third\\sub")},
        {"absent.ini", CSF_NOT_FOUND, ""},
        {"", CSF_BAD_ARGUMENT, ""},
    };
    for (const Case& c : cases) {
        char buffer[CSF_PATH_BUFFER_SIZE];
        std::strcpy(buffer, "stale");
        EXPECT_EQ(csfSearch(c.name, buffer), c.answer) << c.name;
        EXPECT_EQ(std::string(buffer), c.found) << c.name;
    }
}

TEST_F(InstallTest, AbsoluteNamesAreTestedAsTheyAre) {
    kvtest::TempDir dir;
    dir.write("a.ini", "x");
    kvtest::ScopedVariable setupPath("KV_SETUP_PATH", nullptr);
    char buffer[CSF_PATH_BUFFER_SIZE];
    EXPECT_EQ(csfSearch(dir.win("a.ini").c_str(), buffer), CSF_FOUND);
    EXPECT_EQ(std::string(buffer), dir.win("a.ini"));
    EXPECT_EQ(csfSearch(dir.win("b.ini").c_str(), buffer), CSF_NOT_FOUND);
    EXPECT_STREQ(buffer, "");
}

TEST_F(InstallTest, SearchReadsTheVariableAtInitialisation) {
    kvtest::TempDir dir;
    dir.write("s/x.ini", "x");
    char buffer[CSF_PATH_BUFFER_SIZE];
    {
        kvtest::ScopedVariable setupPath("KV_SETUP_PATH", dir.win("s").c_str());
        // Without csfInitialize the first search prepares the list itself.
        EXPECT_EQ(csfSearch("x.ini", buffer), CSF_FOUND);
    }
    EXPECT_EQ(csfSearch("x.ini", buffer), CSF_FOUND) << "the list stays until re-initialised";
    csfInitialize();
    EXPECT_EQ(csfSearch("x.ini", buffer), CSF_NOT_FOUND);
    EXPECT_TRUE(tds::setupSearchFolders().empty());
}

TEST_F(InstallTest, SearchNeverOverrunsItsBuffer) {
    kvtest::TempDir dir;
    const std::string longFolder = dir.win() + "\\" + std::string(2100, 'f');
    kvtest::ScopedVariable setupPath("KV_SETUP_PATH", longFolder.c_str());
    csfInitialize();
    // One byte more than the call may use, to see that it is left alone.
    char buffer[CSF_PATH_BUFFER_SIZE + 1];
    buffer[CSF_PATH_BUFFER_SIZE] = 'G';
    EXPECT_EQ(csfSearch("x.ini", buffer), CSF_NOT_FOUND);
    EXPECT_EQ(csfSearch(std::string(3000, 'n').c_str(), buffer), CSF_NOT_FOUND);
    EXPECT_EQ(buffer[CSF_PATH_BUFFER_SIZE], 'G');
    EXPECT_EQ(csfSearch(nullptr, buffer), CSF_BAD_ARGUMENT);
    EXPECT_EQ(csfSearch("x.ini", nullptr), CSF_BAD_ARGUMENT);
}

}  // namespace
