// The Monte Carlo dialogs' rules as tables: what each mode and choice enables, the child's
// validation at the run limit, the threshold of the collating function, the distribution list,
// and the parameter file names OK completes and checks.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pages/analysis/MCWCRules.h"
#include "resource.h"

namespace {

TEST(MonteCarloRules, ModeAndSaveDataEnableTheirControls) {
    struct Row {
        int mode;
        int saveData;
        bool monteCarlo, runsList, worstCase;
    };
    const Row rows[] = {
        {0, 0, true, false, false}, {0, 1, true, false, false}, {0, 2, true, true, false},
        {0, 3, true, true, false},  {0, 4, true, true, false},  {0, 5, true, false, false},
        {1, 0, false, false, true}, {1, 1, false, false, true}, {1, 3, false, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << r.mode << " save " << r.saveData);
        const McwcEnables on = EnablesOfMcwcMode(r.mode, r.saveData);
        EXPECT_EQ(on.monteCarlo, r.monteCarlo);
        EXPECT_EQ(on.runsList, r.runsList);
        EXPECT_EQ(on.worstCase, r.worstCase);
    }
    EXPECT_FALSE(GaussUserShown(0));
    EXPECT_FALSE(GaussUserShown(1));
    EXPECT_TRUE(GaussUserShown(2));
    EXPECT_FALSE(GaussUserShown(3));
    EXPECT_FALSE(GaussUserShown(-1));
}

TEST(MonteCarloRules, ValidationInOrderAgainstTheRunLimit) {
    struct Row {
        const char* output;
        int mode;
        const char* runs;
        int limit;
        std::optional<Refusal> expected;
    };
    const Refusal output{UINT{IDS_ENTER_MC_OUTPUT}, IDC_MC_OUTPUT_VAR};
    const Refusal runs{UINT{IDS_ENTER_MC_RUNS}, IDC_MC_RUNS};
    auto range = [](int limit) { return Refusal{UINT{IDS_MC_RUNS_RANGE}, IDC_MC_RUNS, limit}; };
    const Row rows[] = {
        {"", 0, "", 10000, output},
        {"", 1, "5", 10000, output},
        {"V(1)", 1, "", 10000, std::nullopt},  // worst case ignores the runs
        {"V(1)", 1, "0", 10000, std::nullopt},
        {"V(1)", 0, "", 10000, runs},
        {"V(1)", 0, "0", 10000, range(10000)},
        {"V(1)", 0, "1", 10000, std::nullopt},
        {"V(1)", 0, "10000", 10000, std::nullopt},
        {"V(1)", 0, "10001", 10000, range(10000)},
        {"V(1)", 0, "50", 50, std::nullopt},
        {"V(1)", 0, "51", 50, range(50)},
        {"V(1)", 0, "12abc", 50, std::nullopt},  // leading digits only
        {"V(1)", 0, "x12", 50, range(50)},
        {"V(1)", 0, "99999999999999999999999", 10000, range(10000)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.output << "|" << r.mode << "|" << r.runs);
        EXPECT_EQ(CheckMonteCarlo(r.output, r.mode, r.runs, r.limit), r.expected);
    }
}

TEST(MonteCarloRules, ThresholdOnlyForEdges) {
    for (int fn = 0; fn < 5; ++fn) {
        SCOPED_TRACE(fn);
        EXPECT_EQ(ThresholdEnabled(fn), fn > 2);
        EXPECT_EQ(CollatingComplete(fn, "   "), fn <= 2);
        EXPECT_TRUE(CollatingComplete(fn, "  1.5"));
    }
    EXPECT_EQ(StripLeadingBlanks("  2.5 "), "2.5 ");
    EXPECT_EQ(StripLeadingBlanks("   "), "");
}

TEST(MonteCarloRules, DistributionListByPairs) {
    std::vector<vnt_string> pairs = {"flat", "(-1,1) (1,1)", "Skew", "(-1,0.2) (1,2)", "last"};
    EXPECT_EQ(DistributionNames(pairs), (std::vector<std::string>{"flat", "Skew", "last"}));
    EXPECT_EQ(FindDistribution(pairs, "SKEW"), 1);
    EXPECT_EQ(FindDistribution(pairs, "ske"), -1);
    RemoveDistribution(pairs, 0);
    EXPECT_EQ(pairs, (std::vector<vnt_string>{"Skew", "(-1,0.2) (1,2)", "last"}));
    RemoveDistribution(pairs, 1);  // a name without its curve
    EXPECT_EQ(pairs, (std::vector<vnt_string>{"Skew", "(-1,0.2) (1,2)"}));
    RemoveDistribution(pairs, 5);
    RemoveDistribution(pairs, -1);
    EXPECT_EQ(pairs.size(), 2u);

    EXPECT_EQ(CheckDistribution("", ""),
              (Refusal{msg::enterDistributionName, IDC_MCD_NAME, {}, 0}));
    EXPECT_EQ(CheckDistribution("a", ""),
              (Refusal{msg::enterDistributionCurve, IDC_MCD_CURVE, {}, 0}));
    EXPECT_EQ(CheckDistribution("a", "(0,1)"), std::nullopt);
}

TEST(MonteCarloRules, ParameterFileNamesCompletedThenChecked) {
    struct Row {
        ParamFileNames in;
        ParamFileNames out;
    };
    const Row rows[] = {
        {{"", ""}, {"", ""}},
        {{"", "run"}, {"", "D:\\p\\run.mcp"}},
        {{"", "C:run"}, {"", "C:run.mcp"}},
        {{"", "C:\\x\\run.dat"}, {"", "C:\\x\\run.dat"}},
        {{"in.mcp", "out.v2"}, {"D:\\p\\in.mcp", "D:\\p\\out.v2"}},
        {{"in", ""}, {"D:\\p\\in", ""}},  // only the save name gets the extension
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.in.load + "|" + r.in.save);
        const ParamFileNames got = CompleteParamFileNames(r.in, "D:\\p");
        EXPECT_EQ(got.load, r.out.load);
        EXPECT_EQ(got.save, r.out.save);
    }
    const Refusal needed{msg::parameterFileNameNeeded, 0, {}, MB_ICONHAND | MB_OK};
    const Refusal differ{msg::parameterFilesMustDiffer, 0, {}, 0};
    EXPECT_EQ(CheckParamFileNames(true, {"", "b"}, true), needed);
    EXPECT_EQ(CheckParamFileNames(false, {"", "b"}, true), std::nullopt);
    EXPECT_EQ(CheckParamFileNames(true, {"a", ""}, true), needed);
    EXPECT_EQ(CheckParamFileNames(true, {"D:\\A.mcp", "d:\\a.MCP"}, true), differ);
    EXPECT_EQ(CheckParamFileNames(true, {"D:\\A.mcp", "d:\\a.MCP"}, false), std::nullopt);
    EXPECT_EQ(CheckParamFileNames(false, {"", ""}, false), std::nullopt);
}

}  // namespace
