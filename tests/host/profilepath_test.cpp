// Dotted profile paths: reading, comparing as the member's type, assigning.
#include <string>

#include <gtest/gtest.h>

#include "HostTestData.h"
#include "ProfilePath.h"

namespace {

using kvhost::ProfileDocument;
using kvhost::ProfilePath;
using nlohmann::json;

ProfileDocument sampleDoc() {
    auto doc = ProfileDocument::parse(R"json({
        "general": {"profileName": "Bias", "designFile": "C:\\D\\amp.dsn", "notes": "3"},
        "transient": null,
        "options": {"optionValues": ["1.0p", "0.01p"], "NOPAGE": 1},
        "checkpoint": {"selectedEntry": 0, "entries": [
            {"simInterval": "1u", "realTimeInterval": "", "directory": "ck0", "timePoints": ""}]},
        "restart": {"saveOriginalDat": true},
        "measurements": {"measureList": [{"expression": "Max(V(out))", "enabled": true}]},
        "fileConfig": {},
        "analysisType": 2
    })json");
    EXPECT_TRUE(doc.ok()) << doc.error();
    return std::move(doc).value();
}

struct EqualsRow {
    const char* key;
    const char* value;
    bool equal;
};

const EqualsRow kEquals[] = {
    {"general.profileName", "Bias", true},
    {"general.profileName", "bias", false},
    {"general.notes", "3", true},  // text member: 3 is the text 3
    {"general.projectName", "", true},
    {"analysisType", "2", true},
    {"analysisType", "3", false},
    {"activePage", "0", true},
    {"options.NOPAGE", "1", true},
    {"options.optionValues.1", "0.01p", true},
    {"options.optionValues.27", "", true},
    {"checkpoint.entries.0.directory", "ck0", true},
    {"checkpoint.entries.0.simInterval", "1u", true},
    {"checkpoint.entries", "[]", false},
    {"fileConfig.globalLibraries", "[]", true},
    {"restart.saveOriginalDat", "true", true},
    {"restart.saveOriginalDat", "0", false},
    {"measurements.measureList.0.enabled", "1", true},
    {"transient", "null", true},
    {"transient", "{}", false},
    {"general", "null", false},
    {"fileConfig", "{}", true},  // missing fields read as zero
    {"fileConfig", R"({"changed": 0, "designStimuli": []})", true},
    {"restart", R"({"saveOriginalDat": true})", true},
};

TEST(ProfilePathTest, ComparesAsTheMembersOwnType) {
    ProfileDocument doc = sampleDoc();
    for (const auto& row : kEquals) {
        auto result = ProfilePath::equals(doc, row.key, row.value);
        ASSERT_TRUE(result.ok()) << row.key << " " << row.value << ": " << result.error();
        EXPECT_EQ(result.value(), row.equal) << row.key << " " << row.value;
    }
}

struct ErrorRow {
    const char* key;
    const char* value;
    const char* message;  // part of the error
};

const ErrorRow kEqualsErrors[] = {
    {"general.desingFile", "x", "unknown key 'general.desingFile'"},
    {"genral", "x", "unknown key 'genral'"},
    {"general..designFile", "x", "bad profile key 'general..designFile'"},
    {"", "x", "bad profile key ''"},
    {"transient.runToTime", "1u", "'transient' is null"},
    {"checkpoint.entries.1.directory", "x", "'checkpoint.entries.1' is past the end"},
    {"checkpoint.entries.first", "x", "'checkpoint.entries' is a list: 'first' is not an index"},
    {"analysisType.x", "1", "'analysisType' has no part 'x'"},
    {"analysisType", "two", "'analysisType' is a number: 'two' is not a number"},
    {"analysisType", "1.5", "'analysisType' must be an integer"},
    {"restart.saveOriginalDat", "yes", "is a flag"},
    {"transient", "{\"runToTme\": 1}", "unknown key 'transient.runToTme'"},
    {"general", "{", "not JSON"},
};

TEST(ProfilePathTest, EqualsExplainsWhatItCannotCompare) {
    ProfileDocument doc = sampleDoc();
    for (const auto& row : kEqualsErrors) {
        auto result = ProfilePath::equals(doc, row.key, row.value);
        ASSERT_FALSE(result.ok()) << row.key;
        EXPECT_NE(result.error().find(row.message), std::string::npos)
            << row.key << ": " << result.error();
    }
}

TEST(ProfilePathTest, GetReturnsTheMemberAsJson) {
    ProfileDocument doc = sampleDoc();
    EXPECT_EQ(ProfilePath::get(doc, "general.designFile").value(), "C:\\D\\amp.dsn");
    EXPECT_EQ(ProfilePath::get(doc, "analysisType").value(), 2);
    EXPECT_EQ(ProfilePath::get(doc, "transient").value(), nullptr);
    EXPECT_EQ(ProfilePath::get(doc, "checkpoint.entries").value().size(), 1u);
    EXPECT_EQ(ProfilePath::get(doc, "options.optionValues").value().size(), kOptionSlotCount);
    EXPECT_FALSE(ProfilePath::get(doc, "options.optionValues.53").ok());
}

struct SetRow {
    const char* key;
    const char* value;
    const char* readBack;  // key whose JSON is checked afterwards
    const char* expected;  // that JSON
};

const SetRow kSets[] = {
    {"general.designFile", "C:\\D\\new.dsn", "general.designFile", R"("C:\\D\\new.dsn")"},
    {"general.notes", "5", "general.notes", R"("5")"},
    {"analysisType", "0", "analysisType", "0"},
    {"options.optionValues.27", "0.002", "options.optionValues.27", R"("0.002")"},
    {"checkpoint.entries.0.directory", "ck9", "checkpoint.entries.0",
     R"({"simInterval": "1u", "realTimeInterval": "", "directory": "ck9", "timePoints": ""})"},
    {"checkpoint.entries.1", R"({"directory": "ck1"})", "checkpoint.entries.1.directory",
     R"("ck1")"},
    {"checkpoint.entries", "[]", "checkpoint.entries", "[]"},
    {"fileConfig.globalLibraries.0", "nom.lib*", "fileConfig.globalLibraries", R"(["nom.lib*"])"},
    {"transient.runToTime", "1m", "transient",
     R"({"enabled": 0, "skipBiasPoint": 0, "fourierEnabled": 0, "detailedBias": 0,
         "resumeMode": 0, "runToTime": "1m", "printStep": "", "startSaving": "", "maxStep": "",
         "fourierCenterFreq": "", "fourierOutputVars": "", "fourierHarmonics": ""})"},
    {"measurements.measureList.0.enabled", "false", "measurements.measureList.0",
     R"json({"expression": "Max(V(out))", "enabled": false, "domain": 0})json"},
    {"restart", "null", "restart", "null"},
    {"probeWindow", R"({"displayWhen": 1})", "probeWindow.displayWhen", "1"},
};

TEST(ProfilePathTest, SetAssignsWithTheSameConversion) {
    for (const auto& row : kSets) {
        ProfileDocument doc = sampleDoc();
        auto status = ProfilePath::set(doc, row.key, row.value);
        ASSERT_TRUE(status.ok()) << row.key << ": " << status.error();
        auto got = ProfilePath::get(doc, row.readBack);
        ASSERT_TRUE(got.ok()) << row.key << ": " << got.error();
        EXPECT_EQ(got.value(), json::parse(row.expected)) << row.key << " = " << row.value;
    }
}

TEST(ProfilePathTest, SetKeepsRecordsInPlaceAndRefusesBadValues) {
    ProfileDocument doc = sampleDoc();
    GeneralSettings* general = doc.profile().general;
    ASSERT_TRUE(ProfilePath::set(doc, "general.projectName", "amp.opj").ok());
    EXPECT_EQ(doc.profile().general, general);
    EXPECT_EQ(general->projectName, "amp.opj");
    EXPECT_EQ(general->profileName, "Bias");

    const ErrorRow refusals[] = {
        {"general.notes", "\xE4\xB8\xAD", "'general.notes' holds U+4E2D"},
        {"probeWindow.displayWhen", "40000", "'probeWindow.displayWhen' is out of range"},
        {"checkpoint.entries.5", "{}", "past the end"},
        {"options.optionValues.53", "x", "holds more than 53 items"},
        {"analysisType", "x", "is a number"},
        {"general.nothing", "x", "unknown key 'general.nothing'"},
    };
    for (const auto& row : refusals) {
        const json before = doc.toJson();
        auto status = ProfilePath::set(doc, row.key, row.value);
        ASSERT_FALSE(status.ok()) << row.key;
        EXPECT_NE(status.error().find(row.message), std::string::npos)
            << row.key << ": " << status.error();
        EXPECT_EQ(doc.toJson(), before) << row.key;
    }
}

TEST(ProfilePathTest, ValidateChecksKeysAgainstTheRecords) {
    const char* good[] = {"general.designFile",
                          "options.optionValues.27",
                          "checkpoint.entries.0.directory",
                          "analysisType",
                          "transient",
                          "measurements.voltageVars.3.listed",
                          "restart.entries.2"};
    for (const char* key : good) {
        EXPECT_TRUE(ProfilePath::validate(key).ok()) << key;
    }
    const char* bad[] = {"general.desingFile",   "analysisType.x",
                         "transient.",           ".transient",
                         "checkpoint.entries.x", "measurements.measureList.0.colour"};
    for (const char* key : bad) {
        EXPECT_FALSE(ProfilePath::validate(key).ok()) << key;
    }
}

}  // namespace
