// Scenario tests of the Monte Carlo/Worst Case option of the Analysis page through the Robot:
// the mode and save-data rules, the GaussUser digit, validation at the run limit of the sheet
// that created the dialog, the output file options, the distributions dialog with its question,
// the parameter file dialog's OK in its order, and hiding the sheet with a dialog open.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "SheetFixture.h"
#include "kvTessel/SimProfile.h"

namespace {

using kvtest::SheetFixture;
using kvwin32::ControlQuery;
using kvwin32::ItemQuery;
using kvwin32::Robot;

constexpr const char* kOptions = "Options:";
constexpr const char* kItem = "Monte Carlo/Worst Case";
constexpr const char* kRuns = "Number of runs:";
constexpr const char* kOutput = "Output variable:";
constexpr const char* kDist = "Use distribution:";
constexpr const char* kSaveFrom = "Save data from";
// The runs edit follows the "Save data from" combo.
constexpr const char* kRunsList = "Save data from+1";
constexpr const char* kDigit = "Use distribution:+1";

class MonteCarloTest : public SheetFixture {
  protected:
    void SetUp() override {
        SheetFixture::SetUp();
        m_transient.runToTime = "1m";
        m_profile.transient = &m_transient;
        m_profile.monteCarlo = &m_mc;
    }

    bool visible(const std::string& ref) { return Robot::visible(control(ref)); }
    bool focused(const std::string& ref) { return Robot::focused(control(ref)); }

    // Opens the sheet (limited to `limit` runs when given) on the Monte Carlo option, checked.
    void openOption(int limit = 0) {
        if (limit > 0) {
            m_sheet = DllCreateModelessDialogRunLimited(&m_profile, m_host, 42, limit, 0);
            DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
            pump();
        } else {
            openModeless();
        }
        clickTab("Analysis ");
        const auto done = m_robot.check(control(kOptions), ItemQuery::named(kItem), true);
        EXPECT_TRUE(done.ok()) << done.error;
        pump();
        select(kOptions, kItem);
    }

    const kvwin32::TranscriptEntry* lastBox() const {
        return m_desktop->transcript().last(kvwin32::TranscriptKind::messageBox);
    }

    TransientSettings m_transient;
    MonteCarloSettings m_mc;
};

TEST_F(MonteCarloTest, ModeAndSaveDataRules) {
    openOption();
    EXPECT_TRUE(enabled(kRuns));
    EXPECT_TRUE(enabled(kDist));
    EXPECT_TRUE(enabled("Distributions..."));
    EXPECT_TRUE(enabled("MC Load/Save..."));
    EXPECT_FALSE(enabled(kRunsList));
    EXPECT_FALSE(enabled("Vary devices that have"));
    EXPECT_FALSE(enabled("Limit devices to type(s):"));
    EXPECT_FALSE(enabled("Save data from each sensitivity run"));
    for (const char* choice : {"First", "Every", "Runs (list)"}) {
        select(kSaveFrom, choice);
        EXPECT_TRUE(enabled(kRunsList)) << choice;
    }
    select(kSaveFrom, "All");
    EXPECT_FALSE(enabled(kRunsList));

    click("Worst-case/Sensitivity");
    for (const char* ref : {kRuns, kDist, "Distributions...", "MC Load/Save...", kSaveFrom,
                            "Random number seed:", kRunsList}) {
        EXPECT_FALSE(enabled(ref)) << ref;
    }
    for (const char* ref : {"Vary devices that have",
                            "Limit devices to type(s):", "Save data from each sensitivity run",
                            "More Settings...", kOutput, "Enable Ventra ZR support for legacy"}) {
        EXPECT_TRUE(enabled(ref)) << ref;
    }
    click("Monte Carlo");
    EXPECT_TRUE(enabled(kRuns));
    EXPECT_FALSE(enabled(kRunsList));  // "All" still chosen
    select(kSaveFrom, "Every");
    click("Worst-case/Sensitivity");
    EXPECT_FALSE(enabled(kRunsList));
}

TEST_F(MonteCarloTest, GaussUserDigitShownOnlyBesideGaussUserAndSaved) {
    m_mc.gaussUserParam = 3;
    m_mc.distributions = {"flat", "(-1,1) (1,1)"};
    m_mc.distributionIndex = 3;
    openOption();
    EXPECT_EQ(Robot::items(control(kDist)),
              (std::vector<std::string>{"Uniform", "Gaussian", "GaussUser", "flat"}));
    EXPECT_EQ(selected(kDist), "flat");
    EXPECT_FALSE(visible(kDigit));
    select(kDist, "GaussUser");
    EXPECT_TRUE(visible(kDigit));
    EXPECT_EQ(text(kDigit), "3");
    type(kDigit, "78");  // one character only
    EXPECT_EQ(text(kDigit), "7");
    type(kOutput, "V(out)");
    type(kRuns, "20");
    click("&Apply");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(m_mc.gaussUserParam, 7);
    EXPECT_EQ(m_mc.distributionIndex, 2);
    EXPECT_EQ(m_mc.enabled, 1);
    EXPECT_EQ(m_mc.numberOfRuns, "20");
    select(kDist, "Gaussian");
    EXPECT_FALSE(visible(kDigit));
}

TEST_F(MonteCarloTest, ValidationOrderAndTheDefaultRunLimit) {
    openOption();
    click("&Apply");
    ASSERT_EQ(boxes(), (std::vector<std::string>{
                           "Please enter the output variable for Monte Carlo/Worst Case option."}));
    EXPECT_TRUE(focused(kOutput));
    type(kOutput, "V(1)");
    click("&Apply");
    EXPECT_EQ(boxes().back(), "Please enter the number of runs for Monte Carlo option.");
    EXPECT_TRUE(focused(kRuns));
    type(kRuns, "0");
    click("&Apply");
    EXPECT_EQ(boxes().back(), "The number of Monte Carlo runs must be between 1 and 10000.");
    type(kRuns, "10001");
    click("&Apply");
    EXPECT_EQ(boxes().size(), 4u);
    type(kRuns, "10000");
    click("&Apply");
    EXPECT_EQ(boxes().size(), 4u);
    EXPECT_EQ(m_mc.numberOfRuns, "10000");
    // Worst case needs no run count.
    type(kRuns, "");
    click("Worst-case/Sensitivity");
    click("&Apply");
    EXPECT_EQ(boxes().size(), 4u);
    EXPECT_EQ(m_mc.mode, 1);
}

TEST_F(MonteCarloTest, TheLimitedSheetHoldsTheRunsToItsLimit) {
    m_mc.outputVariable = "V(1)";
    m_mc.numberOfRuns = "25";
    openOption(25);
    click("&Apply");
    EXPECT_TRUE(boxes().empty());
    type(kRuns, "26");
    click("&Apply");
    ASSERT_EQ(
        boxes(),
        (std::vector<std::string>{"The number of Monte Carlo runs must be between 1 and 25."}));
    EXPECT_TRUE(focused(kRuns));
    EXPECT_EQ(m_mc.numberOfRuns, "25");
    // A later unlimited sheet sets the limit back.
    deleteSheet();
    openOption();
    type(kRuns, "26");
    click("&Apply");
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_EQ(m_mc.numberOfRuns, "26");
}

TEST_F(MonteCarloTest, OutputOptionsThresholdRuleAndDirectionOnlyInWorstCase) {
    openOption();
    m_desktop->queueAction([&] {
        EXPECT_FALSE(Robot::enabled(control("Threshold value:")));
        EXPECT_FALSE(Robot::enabled(control("Hi")));
        EXPECT_FALSE(Robot::enabled(control("Low")));
        m_robot.select(query("Find:"),
                       ItemQuery::named("the first rising threshold crossing (RISE_EDGE)"));
    });
    m_desktop->queueAction([&] {
        EXPECT_TRUE(Robot::enabled(control("Threshold value:")));
        m_robot.type(query("Threshold value:"), "   ");
        m_robot.click(ControlQuery::byText("OK"));
    });
    m_desktop->queueAction([&] {
        // Refused with the dialog's own caption; the dialog stays open.
        m_robot.type(query("Threshold value:"), "  2.5");
        m_robot.click(
            ControlQuery::byText("List model parameter values in the output file for each run"));
        m_robot.click(ControlQuery::byText("OK"));
    });
    click("More Settings...");
    EXPECT_EQ(m_desktop->pendingActions(), 0u);
    ASSERT_NE(lastBox(), nullptr);
    EXPECT_EQ(lastBox()->text, "Please enter the threshold value.");
    EXPECT_EQ(lastBox()->caption, "Monte Carlo/Worst-Case Output File Options");
    type(kOutput, "V(1)");
    type(kRuns, "5");
    click("&Apply");
    EXPECT_EQ(m_mc.collatingFunction, 3);
    EXPECT_EQ(m_mc.threshold, "2.5");
    EXPECT_EQ(m_mc.listModelParams, 1);

    click("Worst-case/Sensitivity");
    m_desktop->queueAction([&] {
        EXPECT_TRUE(Robot::enabled(control("Hi")));
        m_robot.click(ControlQuery::byText("Low"));
        m_robot.click(ControlQuery::byText("Cancel"));
    });
    click("More Settings...");
    type(kOutput, "V(2)");
    click("&Apply");
    EXPECT_EQ(m_mc.worstCaseDirection, 0);
}

TEST_F(MonteCarloTest, DistributionsReachTheProfileAtOnceAndTheComboShowsUniform) {
    m_mc.distributions = {"flat", "(-1,1) (1,1)"};
    m_mc.distributionIndex = 1;
    openOption();
    EXPECT_EQ(selected(kDist), "Gaussian");
    m_desktop->queueAction([&] {
        EXPECT_FALSE(Robot::enabled(control("Delete")));
        m_robot.click(ControlQuery::byText("Save"));  // no name
    });
    m_desktop->queueAction([&] {
        m_robot.type(query("Distribution name:"), "skew");
        m_robot.click(ControlQuery::byText("Save"));  // no curve
    });
    m_desktop->queueAction([&] {
        EXPECT_TRUE(Robot::focused(control("Distribution curve values:")));
        m_robot.type(query("Distribution curve values:"), "(-1,0.5) (1,2)");
        m_robot.click(ControlQuery::byText("Save"));
        m_robot.type(query("Distribution name:"), "late");
        m_robot.type(query("Distribution curve values:"), "(0,1)");
        m_desktop->queueBoxAnswer(IDYES);
        m_robot.click(ControlQuery::byText("OK"));  // asks; answered Yes
    });
    click("Distributions...");
    EXPECT_EQ(m_desktop->pendingActions(), 0u);
    EXPECT_EQ(boxes(),
              (std::vector<std::string>{"Please enter a distribution name.",
                                        "Please enter the distribution curve values.",
                                        "Do you want to save this distribution?\n\nlate"}));
    EXPECT_EQ(lastBox()->caption, "Distributions");
    EXPECT_EQ(m_mc.distributions, (std::vector<vnt_string>{"flat", "(-1,1) (1,1)", "skew",
                                                           "(-1,0.5) (1,2)", "late", "(0,1)"}));
    EXPECT_EQ(selected(kDist), "Uniform");
    EXPECT_EQ(Robot::items(control(kDist)).size(), 6u);

    // Select, change the curve, answer No: nothing saved; Delete removes the pair.
    m_desktop->queueAction([&] {
        m_robot.select(query("Existing distributions:"), ItemQuery::named("flat"));
        EXPECT_EQ(Robot::text(control("Distribution curve values:")), "(-1,1) (1,1)");
        EXPECT_TRUE(Robot::enabled(control("Delete")));
        m_robot.type(query("Distribution curve values:"), "(0,3)");
        m_desktop->queueBoxAnswer(IDNO);
        m_robot.click(ControlQuery::byText("OK"));
    });
    click("Distributions...");
    EXPECT_EQ(m_mc.distributions.size(), 6u);
    EXPECT_EQ(m_mc.distributions[1], "(-1,1) (1,1)");
    m_desktop->queueAction([&] {
        m_robot.select(query("Existing distributions:"), ItemQuery::named("skew"));
        m_robot.click(ControlQuery::byText("Delete"));
        EXPECT_EQ(Robot::text(control("Distribution name:")), "");
        m_robot.click(ControlQuery::byText("OK"));
    });
    click("Distributions...");
    EXPECT_EQ(m_mc.distributions,
              (std::vector<vnt_string>{"flat", "(-1,1) (1,1)", "late", "(0,1)"}));
    // Yes on an existing name replaces its pair at the end of the list.
    m_desktop->queueAction([&] {
        m_robot.type(query("Distribution name:"), "FLAT");
        m_robot.type(query("Distribution curve values:"), "(0,9)");
        m_desktop->queueBoxAnswer(IDYES);
        m_robot.click(ControlQuery::byText("OK"));
    });
    click("Distributions...");
    EXPECT_EQ(m_mc.distributions, (std::vector<vnt_string>{"late", "(0,1)", "FLAT", "(0,9)"}));
    // The page cancelled: the list stays in the profile.
    click("Cancel");
    EXPECT_EQ(m_mc.distributions.size(), 4u);
}

TEST_F(MonteCarloTest, ParameterFilesOkInItsOrderAndCancelRestores) {
    m_dir.write("proj/profiles/p1/exists.mcp", "A B\n1 2\n");
    m_dir.write("proj/profiles/p1/in.mcp", "A B\n1\n");
    openOption();
    m_desktop->queueAction([&] {
        EXPECT_FALSE(Robot::enabled(control("Load parameter values from file:+1")));
        m_robot.click(ControlQuery::byText("Load parameter values from file:"));
        EXPECT_TRUE(Robot::enabled(control("Load parameter values from file:+1")));
        m_robot.click(ControlQuery::byText("Save parameter values in file:"));
        m_robot.click(ControlQuery::byText("OK"));  // 5031
    });
    m_desktop->queueAction([&] {
        m_robot.type(query("Load parameter values from file:+1"), "missing.mcp");
        m_robot.type(query("Save parameter values in file:+1"), "MISSING.MCP");
        m_robot.click(ControlQuery::byText("OK"));  // 5033
    });
    m_desktop->queueAction([&] {
        m_robot.type(query("Save parameter values in file:+1"), "exists");
        m_robot.click(ControlQuery::byText("OK"));  // 5034: the load file is not there
    });
    m_desktop->queueAction([&] {
        m_robot.type(query("Load parameter values from file:+1"), "in.mcp");
        m_desktop->queueBoxAnswer(IDNO);
        m_robot.click(ControlQuery::byText("OK"));  // 5035 answered No
    });
    m_desktop->queueAction([&] {
        EXPECT_EQ(Robot::text(control("Save parameter values in file:+1")), "exists.mcp");
        m_desktop->queueBoxAnswer(IDYES);
        m_robot.click(ControlQuery::byText("OK"));  // 5035 answered Yes
    });
    click("MC Load/Save...");
    EXPECT_EQ(m_desktop->pendingActions(), 0u);
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "Please enter a file name.",
                           "The file to load and the file to save must be different.",
                           "The parameter file cannot be opened for reading.",
                           "The parameter file already exists. Do you want to replace it?",
                           "The parameter file already exists. Do you want to replace it?"}));
    type(kOutput, "V(1)");
    type(kRuns, "3");
    click("&Apply");
    EXPECT_EQ(m_mc.loadParams, 1);
    EXPECT_EQ(m_mc.loadParamFile, "D:\\proj\\profiles\\p1\\in.mcp");
    EXPECT_EQ(m_mc.saveParamFile, "D:\\proj\\profiles\\p1\\exists.mcp");

    // Browse for a file in the profile folder: its bare name, and the check's message.
    const std::size_t before = boxes().size();
    m_desktop->queueAction([&] {
        m_desktop->queueFileAnswer("D:\\proj\\profiles\\p1\\in.mcp");
        EXPECT_TRUE(m_robot.click(query("Load parameter values from file:+2")).ok());
        EXPECT_EQ(Robot::text(control("Load parameter values from file:+1")), "in.mcp");
        m_robot.click(ControlQuery::byText("Load parameter values from file:"));
        m_robot.click(ControlQuery::byText("Cancel"));
    });
    click("MC Load/Save...");
    ASSERT_EQ(boxes().size(), before + 1);
    EXPECT_EQ(
        boxes().back(),
        "Error (line 2): Parameter value is missing in file - D:\\proj\\profiles\\p1\\in.mcp");
    const auto* open = m_desktop->transcript().last(kvwin32::TranscriptKind::fileDialog);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->initialFolder, "D:\\proj\\profiles\\p1");
    // Cancel marks nothing modified.
    EXPECT_FALSE(enabled("&Apply"));
    type(kOutput, "V(9)");
    click("&Apply");
    // Cancel put the four values back.
    EXPECT_EQ(m_mc.loadParams, 1);
    EXPECT_EQ(m_mc.loadParamFile, "D:\\proj\\profiles\\p1\\in.mcp");
}

TEST_F(MonteCarloTest, HidingTheSheetClosesTheOpenDistributionsAsCancelled) {
    openOption();
    m_desktop->queueAction([&] {
        m_robot.type(query("Distribution name:"), "x");
        m_robot.type(query("Distribution curve values:"), "(0,1)");
        m_robot.click(ControlQuery::byText("Save"));
        DllShowModelessDialog(m_sheet, SETTINGS_SHOW_HIDE);
    });
    click("Distributions...");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
    EXPECT_TRUE(m_mc.distributions.empty());
}

}  // namespace
