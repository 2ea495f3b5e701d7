// Fetching and showing catalog messages: the shipped texts and types, the icon chosen from the
// type, buttons and answers, parameters, the message log, and the help failure reports.
#include "MessageFixture.h"
#include "MessageText.h"
#include "TempDir.h"
#include "sb/SBMessageModule.h"

namespace {

using kvtest::MessageFixture;

// One catalog message as the pages rely on it.
struct CatalogRow {
    int number;
    int type;
    const char* text;
};

const CatalogRow kZazariz[] = {
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
    {5040, 7, "The restart directory must differ from the checkpoint directory of the same run."},
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

TEST_F(MessageFixture, ZazarizMessagesHaveTheirTextsAndTypes) {
    ASSERT_TRUE(kvErrorManager::instance().ensureModule("ZAZARIZ"));
    const SBMessageModule* module = SBMessageManager::getInstance().findModule("ZAZARIZ");
    ASSERT_NE(module, nullptr);
    for (const CatalogRow& row : kZazariz) {
        SCOPED_TRACE(row.number);
        const SBMessageModule::Entry* entry = module->find(row.number);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->type, row.type);
        EXPECT_EQ(entry->text, row.text);
    }
}

TEST_F(MessageFixture, EveryHelpFailureCodeHasAShippedMessage) {
    std::string previous;
    for (int code = 0; code <= 22; ++code) {
        SCOPED_TRACE(code);
        std::string text;
        const int number = HelpFailureMessage(code);
        const int result = number == 11023 ? GetMessageText(text, "KVCOMMN", number, code)
                                           : GetMessageText(text, "KVCOMMN", number);
        ASSERT_EQ(result, 0);
        EXPECT_FALSE(text.empty());
        EXPECT_NE(text, previous);
        previous = text;
    }
}

TEST(MessageStyle, IconFollowsTheMessageType) {
    const struct {
        int type;
        UINT style;
    } rows[] = {{1, MB_ICONERROR},
                {4, MB_ICONEXCLAMATION},
                {5, MB_ICONINFORMATION},
                {7, MB_ICONQUESTION},
                {0, 0},
                {2, 0},
                {3, 0},
                {6, 0},
                {8, 0},
                {255, 0},
                {-1, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(MessageStyleForType(row.type), row.style) << "type " << row.type;
}

TEST_F(MessageFixture, StyleZeroShowsTheIconOfTheMessageType) {
    const struct {
        int number;
        kvwin32::BoxIcon icon;
    } rows[] = {{5091, kvwin32::BoxIcon::error},          // type 1
                {5050, kvwin32::BoxIcon::warning},        // type 4
                {5049, kvwin32::BoxIcon::question},       // type 7
                {10002, kvwin32::BoxIcon::information}};  // type 5
    for (const auto& row : rows) {
        SCOPED_TRACE(row.number);
        desk->queueBoxAnswer(IDOK);
        const char* module = row.number > 10000 ? "KVCOMMN" : "ZAZARIZ";
        EXPECT_EQ(ShowMessage(module, row.number, 0, 0), IDOK);
        const kvwin32::TranscriptEntry* box =
            desk->transcript().last(kvwin32::TranscriptKind::messageBox);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon, row.icon);
        EXPECT_EQ(box->buttons, kvwin32::BoxButtons::ok);
        EXPECT_EQ(box->caption, "Tessel Tests");
    }
}

TEST_F(MessageFixture, YesNoStyleReturnsThePressedButton) {
    for (int answer : {IDYES, IDNO}) {
        desk->queueBoxAnswer(answer);
        EXPECT_EQ(ShowMessage("ZAZARIZ", 5029, MB_YESNO | MB_ICONQUESTION, 0, "C:\\ckpt"), answer);
        const kvwin32::TranscriptEntry* box =
            desk->transcript().last(kvwin32::TranscriptKind::messageBox);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->buttons, kvwin32::BoxButtons::yesNo);
        EXPECT_EQ(box->icon, kvwin32::BoxIcon::question);
        EXPECT_EQ(box->text,
                  "The directory \"C:\\ckpt\" does not exist. Do you want to create it?");
        EXPECT_TRUE(box->answered);
    }
}

TEST_F(MessageFixture, ParametersAreSubstituted) {
    std::string text;
    ASSERT_EQ(GetMessageText(text, "ZAZARIZ", 5001, 42), 0);
    EXPECT_EQ(text, "Failed to initialize the help system (error 42).");
    ASSERT_EQ(GetMessageText(text, "ZAZARIZ", 5026, "a*b"), 0);
    EXPECT_EQ(text, "The directory name \"a*b\" is not valid.");
    ASSERT_EQ(GetMessageText(text, "ZAZARIZ", 5026, static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(text, "The directory name \"\" is not valid.");
    // Without a parameter the placeholder stays as written.
    ASSERT_EQ(GetMessageText(text, "ZAZARIZ", 5026), 0);
    EXPECT_EQ(text, "The directory name \"%1\" is not valid.");
    // An unknown number leaves the text alone.
    text = "unchanged";
    EXPECT_EQ(GetMessageText(text, "ZAZARIZ", 4999), -1);
    EXPECT_EQ(text, "unchanged");
}

TEST_F(MessageFixture, LogGetsOneLinePerFetchedOrShownMessage) {
    kvtest::TempDir dir;
    const std::string log = dir.win("messages.log");
    kvtest::EnvVariable logVariable("KORVA_LOG_SMI_MESSAGES", log.c_str());
    std::string text;
    GetMessageText(text, "ZAZARIZ", 5050);
    desk->queueBoxAnswer(IDOK);
    ShowMessage("ZAZARIZ", 5026, 0, 0, "x");
    GetMessageText(text, "ZAZARIZ", 4999);  // nothing produced: nothing logged
    EXPECT_EQ(ShowMessage("ZAZARIZ", 4999, 0, 0), -1);
    EXPECT_EQ(dir.read("messages.log"),
              "Please enter a simulation profile name.\n"
              "The directory name \"x\" is not valid.\n");
}

TEST_F(MessageFixture, UnopenableLogIsSkipped) {
    kvtest::TempDir dir;
    dir.mkdir("folder");
    for (std::string path : {dir.win("folder"), dir.win("missing\\sub\\log.txt"), std::string()}) {
        SCOPED_TRACE(path);
        kvtest::EnvVariable logVariable("KORVA_LOG_SMI_MESSAGES", path.c_str());
        std::string text;
        EXPECT_EQ(GetMessageText(text, "ZAZARIZ", 5050), 0);
        EXPECT_EQ(text, "Please enter a simulation profile name.");
    }
    EXPECT_EQ(dir.read("missing/sub/log.txt"), "<missing>");
}

TEST_F(MessageFixture, ReportHelpFailureShowsTheMessageOfTheCode) {
    const struct {
        int code;
        const char* text;
        int result;
    } rows[] = {
        {0, "The help topic was shown.", 1},
        {2, "The help file could not be found.", 0},
        {6, "The help file could not be opened.", 0},
        {8, "The help viewer could not be started.", 0},
        {12, "The help system is busy. Please try again.", 0},
        {21, "The help viewer did not respond.", 0},
        {22, "Unknown help error 22.", 0},
        {99, "Unknown help error 99.", 0},
        {-3, "Unknown help error -3.", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        const std::size_t before = boxes().size();
        EXPECT_EQ(ReportHelpFailure(row.code), row.result);
        ASSERT_EQ(boxes().size(), before + 1);
        const kvwin32::TranscriptEntry* box = boxes().back();
        EXPECT_EQ(box->text, row.text);
        EXPECT_EQ(box->caption, "Help");
        EXPECT_EQ(box->icon, kvwin32::BoxIcon::error);
        EXPECT_EQ(box->buttons, kvwin32::BoxButtons::ok);
    }
}

TEST(HelpFailureMessages, CodesMapToTheCommonMessages) {
    const int expected[] = {11022, 11004, 11001, 11003, 11005, 11006, 11002, 11007,
                            11008, 11009, 11010, 11011, 11018, 11012, 11013, 11014,
                            11015, 11016, 11017, 11019, 11021, 11020};
    for (int code = 0; code < 22; ++code)
        EXPECT_EQ(HelpFailureMessage(code), expected[code]) << "code " << code;
    for (int code : {22, 99, -1, 1 << 30})
        EXPECT_EQ(HelpFailureMessage(code), 11023) << "code " << code;
}

}  // namespace
