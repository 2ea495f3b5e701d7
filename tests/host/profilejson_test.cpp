// The profile document: JSON in and out, ownership of the records, errors, saving.
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "FileWrite.h"
#include "HostTestData.h"
#include "ProfileJson.h"
#include "TempDir.h"

namespace {

using kvhost::ProfileDocument;
using nlohmann::json;

json completeJson() {
    return json::parse(kvtest::readDataFile(kvtest::hostDataPath("complete_profile.json")));
}

ProfileDocument completeDoc() {
    auto doc = ProfileDocument::load(kvtest::hostDataPath("complete_profile.json"));
    EXPECT_TRUE(doc.ok()) << doc.error();
    return std::move(doc).value();
}

TEST(ProfileJsonTest, CompleteProfileRoundTripsExactly) {
    const std::string text = kvtest::readDataFile(kvtest::hostDataPath("complete_profile.json"));
    auto doc = ProfileDocument::parse(text);
    ASSERT_TRUE(doc.ok()) << doc.error();
    EXPECT_EQ(doc.value().toJson(), json::parse(text));
    // The file is written in declaration order, so the text itself comes back.
    EXPECT_EQ(doc.value().dump(), text);
}

// Each sub-record alone: the other members stay null or zero, and the record comes back.
TEST(ProfileJsonTest, EverySubRecordRoundTripsAlone) {
    const json complete = completeJson();
    for (const auto& item : complete.items()) {
        SCOPED_TRACE(item.key());
        json one = json::object();
        one[item.key()] = item.value();
        auto doc = ProfileDocument::fromJson(one);
        ASSERT_TRUE(doc.ok()) << doc.error();
        const json out = doc.value().toJson();
        EXPECT_EQ(out[item.key()], item.value());
        for (const auto& other : out.items()) {
            if (other.key() != item.key() && other.value().is_object()) {
                ADD_FAILURE() << other.key() << " was created";
            }
        }
    }
}

// Gives every leaf of `j` a value no other leaf has, keeping its type.
void makeLeavesDistinct(json& j, int& counter) {
    if (j.is_object() || j.is_array()) {
        for (auto& child : j) {
            makeLeavesDistinct(child, counter);
        }
    } else if (j.is_string()) {
        j = "leaf" + std::to_string(++counter);
    } else if (j.is_number()) {
        j = ++counter % 100;
    }
}

// No two keys share a field: a profile whose leaves all differ comes back unchanged.
TEST(ProfileJsonTest, NoTwoKeysShareAField) {
    json j = ProfileDocument::schemaJson(true);
    int counter = 0;
    makeLeavesDistinct(j, counter);
    auto doc = ProfileDocument::fromJson(j);
    ASSERT_TRUE(doc.ok()) << doc.error();
    EXPECT_EQ(doc.value().toJson(), j);
}

struct FieldCheck {
    const char* key;
    std::function<std::string(const SimProfile&)> actual;
    std::string expected;
};

// Keys land in the fields the headers give them, with the value's type.
TEST(ProfileJsonTest, KeysFillTheNamedFields) {
    ProfileDocument doc = completeDoc();
    const FieldCheck checks[] = {
        {"general.designFile", [](const SimProfile& p) { return p.general->designFile; },
         "C:\\Designs\\Amp\\amp.dsn"},
        {"general.notes (ANSI bytes)",
         [](const SimProfile& p) { return p.general->notes.substr(0, 8); }, "Gain sta"},
        {"general.notes euro",
         [](const SimProfile& p) {
             return std::to_string(p.general->notes.find('\x80') != std::string::npos);
         },
         "1"},
        {"transient.runToTime", [](const SimProfile& p) { return p.transient->runToTime; },
         "100.00u"},
        {"transient.fourierEnabled",
         [](const SimProfile& p) { return std::to_string(p.transient->fourierEnabled); }, "1"},
        {"dcSecondarySweep is its own record",
         [](const SimProfile& p) {
             return std::to_string(p.dcSecondarySweep != p.dcPrimarySweep &&
                                   p.dcSecondarySweep->sourceName != p.dcPrimarySweep->sourceName);
         },
         "1"},
        {"options.optionValues.27", [](const SimProfile& p) { return p.options->optionValues[27]; },
         "opt27"},
        {"options.optionIsSet.3",
         [](const SimProfile& p) { return std::to_string(p.options->optionIsSet[3]); }, "1"},
        {"dataCollection.collectMask",
         [](const SimProfile& p) { return std::to_string(p.dataCollection->collectMask); },
         std::to_string(0x00421840)},
        {"probeWindow.displayWhen",
         [](const SimProfile& p) { return std::to_string(p.probeWindow->displayWhen); }, "1"},
        {"restart.restartAtMode",
         [](const SimProfile& p) { return std::to_string(p.restart->restartAtMode); }, "-1"},
        {"restart.saveOriginalDat",
         [](const SimProfile& p) { return std::to_string(p.restart->saveOriginalDat); }, "1"},
        {"checkpoint.entries.0.directory",
         [](const SimProfile& p) { return p.checkpoint->entries.at(0)->GetDirectory(); }, "ckpt1"},
        {"checkpoint.entries.1.simInterval",
         [](const SimProfile& p) { return p.checkpoint->entries.at(1)->GetSimInterval(); },
         completeJson()["checkpoint"]["entries"][1]["simInterval"].get<std::string>()},
        {"measurements.measureList.0",
         [](const SimProfile& p) {
             const MeasData& m = p.measurements->measureList.at(0);
             return m.getExpression() + "/" + std::to_string(m.isEnabled()) + "/" +
                    std::to_string(m.getDomain());
         },
         "Max(V(out))/1/2"},
        {"measurements.voltageVars.1",
         [](const SimProfile& p) {
             const OutputVariable& v = p.measurements->voltageVars.at(1);
             return v.name + "/" + std::to_string(v.listed);
         },
         "V(R1:1)/1"},
        {"fileConfig.globalLibraries",
         [](const SimProfile& p) { return p.fileConfig->globalLibraries.at(1); },
         "C:\\Lib\\diode.lib*"},
        {"monteCarlo.distributions",
         [](const SimProfile& p) { return std::to_string(p.monteCarlo->distributions.size()); },
         "2"},
        {"analysisType", [](const SimProfile& p) { return std::to_string(p.analysisType); }, "1"},
        {"activePage", [](const SimProfile& p) { return std::to_string(p.activePage); }, "3"},
    };
    for (const auto& check : checks) {
        EXPECT_EQ(check.actual(doc.profile()), check.expected) << check.key;
    }
}

TEST(ProfileJsonTest, MissingOrNullSubRecordsAreNullPointers) {
    auto doc = ProfileDocument::parse(R"({"transient": null, "general": {}})");
    ASSERT_TRUE(doc.ok()) << doc.error();
    const SimProfile& p = doc.value().profile();
    EXPECT_EQ(p.transient, nullptr);
    EXPECT_EQ(p.options, nullptr);
    EXPECT_EQ(p.fileConfig, nullptr);
    EXPECT_EQ(doc.value().fileConfig(), nullptr);
    ASSERT_NE(p.general, nullptr);
    EXPECT_EQ(p.general->designFile, "");
    EXPECT_EQ(p.analysisType, 0);
    // A missing field is written back with its zero value, host members never.
    const json out = doc.value().toJson();
    EXPECT_EQ(out["general"]["circuitMode"], 0);
    EXPECT_EQ(out["transient"], nullptr);
    EXPECT_FALSE(out.contains("hostReserved1"));
    EXPECT_FALSE(out["general"].contains("hostReserved1"));
    EXPECT_FALSE(out["general"].contains("hostReserved2"));
}

TEST(ProfileJsonTest, ShortOptionArraysLeaveTheRestZero) {
    auto doc = ProfileDocument::parse(R"({"options": {"optionValues": ["1.0p", "0.01p"]}})");
    ASSERT_TRUE(doc.ok()) << doc.error();
    EXPECT_EQ(doc.value().profile().options->optionValues[1], "0.01p");
    EXPECT_EQ(doc.value().profile().options->optionValues[52], "");
    EXPECT_EQ(doc.value().toJson()["options"]["optionValues"].size(), kOptionSlotCount);
}

struct BadInput {
    const char* what;
    std::string text;
    const char* message;  // part of the error
};

const BadInput kBadInputs[] = {
    {"misspelt field", R"({"general": {"desingFile": "a.dsn"}})",
     "unknown key 'general.desingFile'"},
    {"unknown member", R"({"genral": {}})", "unknown key 'genral'"},
    {"host member", R"({"hostReserved1": 0})", "unknown key 'hostReserved1'"},
    {"key of a list item", R"({"measurements": {"measureList": [{"colour": 1}]}})",
     "unknown key 'measurements.measureList.0.colour'"},
    {"key of an entry", R"({"checkpoint": {"entries": [{}, {"dir": "x"}]}})",
     "unknown key 'checkpoint.entries.1.dir'"},
    {"number for text", R"({"transient": {"runToTime": 5}})",
     "'transient.runToTime' must be a string"},
    {"text for a number", R"({"transient": {"enabled": "1"}})",
     "'transient.enabled' must be an integer"},
    {"fraction for a number", R"({"analysisType": 1.5})", "'analysisType' must be an integer"},
    {"flag for a number", R"({"general": {"circuitMode": true}})",
     "'general.circuitMode' must be an integer"},
    {"number for a flag", R"({"restart": {"saveOriginalDat": 1}})",
     "'restart.saveOriginalDat' must be a boolean"},
    {"text for a list", R"({"fileConfig": {"globalLibraries": "a.lib"}})",
     "'fileConfig.globalLibraries' must be an array"},
    {"number in a list", R"({"fileConfig": {"designStimuli": ["a.stl", 2]}})",
     "'fileConfig.designStimuli.1' must be a string"},
    {"list for a sub-record", R"({"general": []})", "'general' must be an object or null"},
    {"text for an entry", R"({"restart": {"entries": ["dir"]}})",
     "'restart.entries.0' must be an object"},
    {"beyond 32 bits", R"({"activePage": 2147483648})", "'activePage' is out of range"},
    {"below 32 bits", R"({"designSource": -2147483649})", "'designSource' is out of range"},
    {"beyond 16 bits", R"({"probeWindow": {"displayWhen": 32768}})",
     "'probeWindow.displayWhen' is out of range"},
    {"negative mask", R"({"dataCollection": {"collectMask": -1}})",
     "'dataCollection.collectMask' is out of range"},
    {"listed byte", R"({"measurements": {"powerVars": [{"listed": 256}]}})",
     "'measurements.powerVars.0.listed' is out of range"},
    {"domain byte", R"({"measurements": {"measureList": [{"domain": 128}]}})",
     "'measurements.measureList.0.domain' is out of range"},
    {"character outside the code page", R"({"general": {"notes": "\u4e2d"}})",
     "'general.notes' holds U+4E2D"},
    {"beyond 64 bits", R"({"activePage": 99999999999999999999})",
     "'activePage' is out of range: 1e+20 is not between -2147483648 and 2147483647"},
    {"far below 64 bits", R"({"dataCollection": {"collectMask": -99999999999999999999}})",
     "'dataCollection.collectMask' is out of range"},
    {"NUL in a text", R"({"general": {"notes": "kept\u0000dropped"}})",
     "'general.notes' holds a NUL character (\\u0000)"},
    {"NUL in a list", R"({"fileConfig": {"globalLibraries": ["a\u0000.lib"]}})",
     "'fileConfig.globalLibraries.0' holds a NUL character"},
    {"not an object", "[1, 2]", "the profile must be a JSON object"},
    {"not JSON", "{\n  \"general\": {\n    \"notes\": x\n  }\n}",
     "not JSON: parse error at line 3"},
    {"truncated", R"({"general": {)", "not JSON"},
    {"nested too deeply", std::string(100, '[') + std::string(100, ']'),
     "nested more than 64 levels deep at line 1, column 65"},
};

TEST(ProfileJsonTest, RefusesBadInputNamingTheKey) {
    for (const auto& row : kBadInputs) {
        auto doc = ProfileDocument::parse(row.text);
        ASSERT_FALSE(doc.ok()) << row.what;
        EXPECT_NE(doc.error().find(row.message), std::string::npos)
            << row.what << ": " << doc.error();
    }
}

TEST(ProfileJsonTest, RefusesMoreOptionSlotsThanTheRecordHas) {
    json j;
    j["options"]["optionValues"] = json::array();
    for (int i = 0; i < 54; ++i) {
        j["options"]["optionValues"].push_back("x");
    }
    auto doc = ProfileDocument::fromJson(j);
    ASSERT_FALSE(doc.ok());
    EXPECT_EQ(doc.error(), "'options.optionValues' holds more than 53 items");
}

TEST(ProfileJsonTest, RefusesInvalidUtf8BuiltInMemory) {
    json j;
    j["general"]["profileName"] = std::string("ab\xC3");
    auto doc = ProfileDocument::fromJson(j);
    ASSERT_FALSE(doc.ok());
    EXPECT_EQ(doc.error(), "'general.profileName' is not valid UTF-8 (byte 2)");
}

TEST(ProfileJsonTest, LoadNamesTheFileInItsErrors) {
    kvtest::TempDir tmp;
    tmp.write("bad.json", "{\n  \"general\": 1\n}\n");
    auto bad = ProfileDocument::load(tmp.host("bad.json"));
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error(), tmp.host("bad.json") + ": 'general' must be an object or null");
    auto missing = ProfileDocument::load(tmp.host("none.json"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("cannot read '" + tmp.host("none.json") + "'"),
              std::string::npos)
        << missing.error();
}

TEST(ProfileJsonTest, LoadNamesTheFileOnceAndRefusesWhatIsNoRegularFile) {
    kvtest::TempDir tmp;
    tmp.write("bad.json", "{\"activePage\": 99999999999999999999}");
    tmp.mkdir("folder.json");
    ASSERT_EQ(::mkfifo(tmp.host("fifo.json").c_str(), 0600), 0);
    ASSERT_EQ(::mknod(tmp.host("zero.json").c_str(), S_IFCHR | 0666, makedev(1, 5)), 0);
    // One byte over the limit, without writing 64 MiB: a sparse file.
    { std::ofstream big(tmp.host("big.json")); }
    std::filesystem::resize_file(tmp.host("big.json"), kvhost::kMaxInputBytes + 1);

    struct Row {
        const char* name;
        std::string error;
    };
    const Row rows[] = {
        {"bad.json", tmp.host("bad.json") + ": 'activePage' is out of range: 1e+20 is not between "
                                            "-2147483648 and 2147483647"},
        {"folder.json", "cannot read '" + tmp.host("folder.json") + "': it is a folder"},
        {"fifo.json", "cannot read '" + tmp.host("fifo.json") + "': it is not a regular file"},
        {"zero.json", "cannot read '" + tmp.host("zero.json") + "': it is not a regular file"},
        {"big.json", "cannot read '" + tmp.host("big.json") + "': it is larger than 64 MiB"},
    };
    for (const Row& row : rows) {
        auto doc = ProfileDocument::load(tmp.host(row.name));
        ASSERT_FALSE(doc.ok()) << row.name;
        EXPECT_EQ(doc.error(), row.error);
    }
}

TEST(ProfileJsonTest, ANulInATextIsRefusedBySetProfileToo) {
    ProfileDocument doc = completeDoc();
    const json before = doc.toJson();
    auto status = doc.assignMember("general", json{{"notes", std::string("a\0b", 3)}});
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error(), "'general.notes' holds a NUL character (\\u0000)");
    EXPECT_EQ(doc.toJson(), before);
}

TEST(ProfileJsonTest, SaveReplacesTheFileAndLeavesNoTemporaryFile) {
    kvtest::TempDir tmp;
    tmp.write("out.json", "old");
    ProfileDocument doc = completeDoc();
    ASSERT_TRUE(doc.save(tmp.host("out.json")).ok());
    EXPECT_EQ(tmp.read("out.json"), doc.dump());
    auto again = ProfileDocument::load(tmp.host("out.json"));
    ASSERT_TRUE(again.ok()) << again.error();
    EXPECT_EQ(again.value().toJson(), doc.toJson());
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(tmp.host())) {
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST(ProfileJsonTest, FailedSaveKeepsTheOldFile) {
    kvtest::TempDir tmp;
    tmp.mkdir("folder");
    tmp.write("folder/keep.txt", "kept");
    ProfileDocument doc = completeDoc();
    // The target is a folder: the rename fails and the temporary file is removed.
    auto status = doc.save(tmp.host("folder"));
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.error().find("cannot write"), std::string::npos) << status.error();
    EXPECT_EQ(tmp.read("folder/keep.txt"), "kept");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(tmp.host())) {
        ++files;
    }
    EXPECT_EQ(files, 1u);
    // A folder that does not exist: nothing is created.
    EXPECT_FALSE(doc.save(tmp.host("none/out.json")).ok());
    EXPECT_FALSE(std::filesystem::exists(tmp.host("none")));
}

TEST(ProfileJsonTest, AssignMemberRewritesRecordsInPlace) {
    ProfileDocument doc = completeDoc();
    TransientSettings* before = doc.profile().transient;
    ASSERT_TRUE(doc.assignMember("transient", json::parse(R"({"runToTime": "1m"})")).ok());
    EXPECT_EQ(doc.profile().transient, before);
    EXPECT_EQ(before->runToTime, "1m");
    EXPECT_EQ(before->enabled, 0);
    // A refused value changes nothing.
    auto refused = doc.assignMember("transient", json::parse(R"({"runToTime": 1, "enabled": 1})"));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(before->runToTime, "1m");
    EXPECT_EQ(before->enabled, 0);
    // Null detaches the record without freeing it; a new value brings the same record back.
    ASSERT_TRUE(doc.assignMember("transient", nullptr).ok());
    EXPECT_EQ(doc.profile().transient, nullptr);
    EXPECT_EQ(before->runToTime, "1m");
    ASSERT_TRUE(doc.assignMember("transient", json::object()).ok());
    EXPECT_EQ(doc.profile().transient, before);
    ASSERT_TRUE(doc.assignMember("analysisType", 2).ok());
    EXPECT_EQ(doc.profile().analysisType, 2);
    EXPECT_EQ(doc.profile().activePage, 3);
    EXPECT_EQ(doc.assignMember("nothing", 1).error(), "unknown key 'nothing'");
}

TEST(ProfileJsonTest, AdoptsEntriesTheLibraryAdded) {
    ProfileDocument doc = completeDoc();
    CheckpointSettings* checkpoint = doc.profile().checkpoint;
    // As the checkpoint dialog does on New: an entry the host did not create, never freed by
    // the library. The sanitizer build reports a leak if the document does not take it.
    auto* added = new CCheckPointReader("new", "1u", "", "");
    checkpoint->entries.push_back(added);
    doc.profile().restart->entries.push_back(added);
    doc.adoptLibraryEntries();
    EXPECT_EQ(doc.toJson()["checkpoint"]["entries"].back()["directory"], "new");
}

TEST(ProfileJsonTest, FileConfigRecordsEditFileCalls) {
    auto doc = ProfileDocument::parse(R"({"fileConfig": {"libraryPath": "\"C:\\Lib\""}})");
    ASSERT_TRUE(doc.ok()) << doc.error();
    kvhost::HostFileConfig* config = doc.value().fileConfig();
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(static_cast<FileConfigSettings*>(config), doc.value().profile().fileConfig);
    EXPECT_EQ(config->libraryPath, "\"C:\\Lib\"");
    std::vector<std::string> transcript;
    config->setListener([&](const kvhost::EditFileCall& call) {
        transcript.push_back(editFileTranscriptLine(call));
    });
    // The library calls through the base class's second virtual slot.
    FileConfigSettings* asLibrarySeesIt = doc.value().profile().fileConfig;
    EXPECT_EQ(asLibrarySeesIt->EditFile(EditFileKind::stimulus, "C:\\My Files\\in\x80.stl"), 1);
    EXPECT_EQ(asLibrarySeesIt->EditFile(EditFileKind::library, ""), 1);
    EXPECT_EQ(asLibrarySeesIt->EditFile(static_cast<EditFileKind>(7), nullptr), 1);
    ASSERT_EQ(config->calls().size(), 3u);
    EXPECT_EQ(config->calls()[0].path, "C:\\My Files\\in\x80.stl");
    EXPECT_EQ(config->calls()[1].kind, EditFileKind::library);
    const std::vector<std::string> expected = {
        "edit-file stimulus \"C:\\\\My Files\\\\in\u20AC.stl\"",
        "edit-file library \"\"",
        "edit-file 7 \"\"",
    };
    EXPECT_EQ(transcript, expected);
}

TEST(ProfileJsonTest, EditFileKindNamesReadBack) {
    for (int kind = 0; kind < 4; ++kind) {
        const auto name = kvhost::editFileKindName(static_cast<EditFileKind>(kind));
        const auto back = kvhost::parseEditFileKind(name);
        ASSERT_TRUE(back.has_value()) << name;
        EXPECT_EQ(static_cast<int>(*back), kind) << name;
    }
    EXPECT_EQ(kvhost::parseEditFileKind("Include"), EditFileKind::include);
    EXPECT_FALSE(kvhost::parseEditFileKind("editor").has_value());
    EXPECT_FALSE(kvhost::parseEditFileKind("").has_value());
}

}  // namespace
