// The General page's rules as a table: which input is refused with which message and focus,
// and which relative circuit file names are rebased onto the profile folder.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TempDir.h"
#include "pages/general/GeneralRules.h"
#include "resource.h"

namespace {

struct Case {
    const char* name;
    GeneralInput input;
    std::optional<RefusalMessage> message;  // none: accepted
    int focus;
    bool rebased;  // the design name comes back rebased onto the base folder
};

std::string messageName(const RefusalMessage& message) {
    if (const auto* id = std::get_if<UINT>(&message)) {
        return "string " + std::to_string(*id);
    }
    const auto& catalog = std::get<CatalogMessage>(message);
    return std::string(catalog.module) + " " + std::to_string(catalog.number);
}

TEST(GeneralRules, RefusesTheFirstProblemInTheProductsOrder) {
    kvtest::TempDir dir;
    dir.write("sim/amp.cir", "* amp\n");
    dir.mkdir("sim/prof");
    const std::string existing = dir.win("sim/amp.cir");
    const std::string folderOnly = dir.win("sim");
    const std::string base = dir.win("sim/prof");  // rebased names land in sim
    const std::string missing = dir.win("sim/none.cir");

    const Case cases[] = {
        {"everything empty: the profile name first",
         {},
         msg::enterProfileName,
         IDC_PROFILE_NAME,
         false},
        {"schematic mode ignores the design file",
         {"p", "", "o", "w", false, std::nullopt},
         std::nullopt,
         0,
         false},
        {"schematic mode ignores a missing design file",
         {"p", missing, "o", "w", false, std::nullopt},
         std::nullopt,
         0,
         false},
        {"circuit mode needs a design file",
         {"p", "", "o", "w", true, base},
         UINT{IDS_ENTER_DESIGN_FILE},
         IDC_DESIGN_FILE,
         false},
        {"relative name without a profile folder",
         {"p", "amp.cir", "o", "w", true, std::nullopt},
         UINT{IDS_ENTER_FULL_DESIGN_PATH},
         IDC_DESIGN_FILE,
         false},
        {"dot-relative name without a profile folder",
         {"p", ".\\amp.cir", "o", "w", true, std::nullopt},
         UINT{IDS_ENTER_FULL_DESIGN_PATH},
         IDC_DESIGN_FILE,
         false},
        {"relative name rebased onto the profile folder's parent and found",
         {"p", "amp.cir", "o", "w", true, base},
         std::nullopt,
         0,
         true},
        {"dot-relative name rebased the same way",
         {"p", ".\\AMP.cir", "o", "w", true, base},
         std::nullopt,
         0,
         true},
        {"relative name rebased but missing",
         {"p", "gone.cir", "o", "w", true, base},
         UINT{IDS_DESIGN_FILE_MISSING},
         IDC_DESIGN_FILE,
         true},
        {"full name that exists", {"p", existing, "o", "w", true, base}, std::nullopt, 0, false},
        {"full name that is a folder",
         {"p", folderOnly, "o", "w", true, base},
         UINT{IDS_DESIGN_FILE_MISSING},
         IDC_DESIGN_FILE,
         false},
        {"output before waveform",
         {"p", existing, "", "", true, base},
         msg::enterOutputFile,
         IDC_OUTPUT_FILE,
         false},
        {"waveform last",
         {"p", existing, "o", "", true, base},
         msg::enterWaveformFile,
         IDC_WAVEFORM_FILE,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GeneralVerdict verdict = CheckGeneral(c.input);
        ASSERT_EQ(verdict.refusal.has_value(), c.message.has_value());
        if (c.message) {
            EXPECT_EQ(messageName(verdict.refusal->message), messageName(*c.message));
            EXPECT_EQ(verdict.refusal->controlId, c.focus);
            EXPECT_EQ(verdict.refusal->style, UINT{MB_ICONEXCLAMATION | MB_OK});
        }
        EXPECT_EQ(verdict.rebasedDesign.has_value(), c.rebased);
    }
}

TEST(GeneralRules, RebasingUsesTheFolderPartOfTheProfileFolder) {
    kvtest::TempDir dir;
    dir.write("sim/amp.cir", "* amp\n");
    const std::string base = dir.win("sim/prof");
    const GeneralVerdict verdict = CheckGeneral({"p", "amp.cir", "o", "w", true, base});
    ASSERT_TRUE(verdict.rebasedDesign);
    EXPECT_EQ(*verdict.rebasedDesign, dir.win("sim/amp.cir"));
    EXPECT_FALSE(verdict.refusal);
}

TEST(GeneralRules, OnlyTheMissingProfileNameActivatesThePage) {
    EXPECT_TRUE(CheckGeneral({}).refusal->activatePage);
    EXPECT_FALSE(CheckGeneral({"p", "", "", "w", false, std::nullopt}).refusal->activatePage);
}

TEST(GeneralRules, AnyOtherFolderPartIsNotRebased) {
    // sub\amp.cir names a folder, so it is tested as it stands (relative to the current
    // folder) and comes back unchanged.
    kvtest::TempDir dir;
    const GeneralVerdict verdict =
        CheckGeneral({"p", "sub\\amp.cir", "o", "w", true, dir.win("prof")});
    EXPECT_FALSE(verdict.rebasedDesign);
    ASSERT_TRUE(verdict.refusal);
    EXPECT_EQ(std::get<UINT>(verdict.refusal->message), UINT{IDS_DESIGN_FILE_MISSING});
}

}  // namespace
