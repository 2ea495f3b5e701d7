// The catalogs the product ships: every file reads, belongs to its module, and holds the
// messages the library shows, with their exact types and texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "TempDir.h"
#include "sb/SBCatalog.h"

namespace {

namespace fs = std::filesystem;

// Host folder of the shipped catalogs: ctest names the tests folder, whose parent is the source
// root.
fs::path catalogFolder() {
    const char* tests = std::getenv("KV_TEST_SOURCE_DIR");
    if (!tests)
        return {};
    return fs::path(tests).parent_path() / "dll" / "kvTessel" / "res" / "catalogs";
}

using MessageMap = std::map<int, sb::CatalogMessage>;

// Reads every shipped catalog of a module; fails the test for a file that does not read.
MessageMap shippedMessages(std::string_view module, int& files) {
    MessageMap all;
    files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(catalogFolder())) {
        if (e.path().extension() != ".xml")
            continue;
        const sb::CatalogReadResult r = sb::readCatalog(kvtest::readHostFile(e.path().string()));
        if (!r.catalog) {
            ADD_FAILURE() << e.path() << ": " << r.error;
            continue;
        }
        if (r.catalog->module != module)
            continue;
        ++files;
        for (const sb::CatalogMessage& m : r.catalog->messages)
            EXPECT_TRUE(all.emplace(m.number, m).second)
                << "message " << m.number << " appears twice in module " << module;
    }
    return all;
}

class ShippedCatalogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(catalogFolder().empty()) << "KV_TEST_SOURCE_DIR is not set";
        ASSERT_TRUE(fs::is_directory(catalogFolder())) << catalogFolder();
    }
};

TEST_F(ShippedCatalogsTest, ZazarizHoldsTheLibraryMessages) {
    const sb::CatalogMessage expected[] = {
        {5001, 1, "Failed to initialize the help system (error %1)."},
        {5025, 4, "Please select a checkpoint directory."},
        {5026, 4, "The directory name \"%1\" is not valid."},
        {5027, 4, "The checkpoint directory \"%1\" is listed more than once."},
        {5028, 4, "Please enter a simulation interval, a real time interval or time points."},
        {5029, 7, "The directory \"%1\" does not exist. Do you want to create it?"},
        {5031, 4, "Please enter a file name."},
        {5033, 4, "The file to load and the file to save must be different."},
        {5034, 4, "The parameter file cannot be opened for reading."},
        {5035, 7, "The parameter file already exists. Do you want to replace it?"},
        {5036, 4, "The restart directory \"%1\" does not exist."},
        {5038, 4, "The directory \"%1\" holds no readable state_map file."},
        {5039, 4, "Please select the time at which to restart."},
        {5040, 7,
         "The restart directory must differ from the checkpoint directory of the same run."},
        {5042, 4, "Please select a restart directory."},
        {5049, 7, "Do you want to save this distribution?"},
        {5050, 4, "Please enter a simulation profile name."},
        {5051, 4, "Please enter a distribution name."},
        {5052, 4, "Please enter a waveform data file name."},
        {5053, 4, "Please enter the name of the file to load the bias point from."},
        {5054, 4, "Please enter the distribution curve values."},
        {5055, 4, "Please enter the threshold value."},
        {5056, 4, "Please enter an output file name."},
        {5068, 4, "Please enter the name of the file to save the bias point in."},
        {5089, 4, "The folder is already part of the library search path."},
        {5091, 1, ": Parameter name must begin with a letter in file - "},
        {5092, 1, ": Parameter value must begin with a digit, a sign or a point in file - "},
    };
    int files = 0;
    const MessageMap messages = shippedMessages("ZAZARIZ", files);
    EXPECT_EQ(files, 4);
    for (const sb::CatalogMessage& e : expected) {
        const auto it = messages.find(e.number);
        ASSERT_NE(it, messages.end()) << "missing ZAZARIZ " << e.number;
        EXPECT_EQ(it->second, e) << "ZAZARIZ " << e.number << ": got type " << it->second.type
                                 << " \"" << it->second.text << "\"";
    }
}

TEST_F(ShippedCatalogsTest, KvcommnHoldsEveryHelpFailureMessage) {
    int files = 0;
    const MessageMap messages = shippedMessages("KVCOMMN", files);
    EXPECT_EQ(files, 21);
    for (int number = 11001; number <= 11023; ++number) {
        const auto it = messages.find(number);
        ASSERT_NE(it, messages.end()) << "missing KVCOMMN " << number;
        EXPECT_EQ(it->second.type, 1) << number;
        EXPECT_FALSE(it->second.text.empty()) << number;
        // Only the catch-all message carries the help error code.
        EXPECT_EQ(it->second.text.find("%1") != std::string::npos, number == 11023) << number;
    }
}

TEST_F(ShippedCatalogsTest, TheLibraryCatalogIsNamedKvTessel) {
    const std::string bytes = kvtest::readHostFile((catalogFolder() / "kvTessel.xml").string());
    const sb::CatalogReadResult r = sb::readCatalog(bytes);
    ASSERT_TRUE(r.catalog) << r.error;
    EXPECT_EQ(r.catalog->module, "ZAZARIZ");
    EXPECT_EQ(r.catalog->messages.size(), 27u);
}

}  // namespace
