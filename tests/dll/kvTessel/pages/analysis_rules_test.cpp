// The Analysis page's rules as tables: the option list of each type, the sweep-type mapping
// both ways, what each choice enables, and the first refusal of every child dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/analysis/AnalysisRules.h"
#include "resource.h"

namespace {

std::vector<Slot> slotsOf(unsigned type) {
    std::vector<Slot> out;
    for (const OptionItem& item : OptionsOfType(type)) {
        out.push_back(item.slot);
    }
    return out;
}

std::vector<unsigned> textsOf(unsigned type) {
    std::vector<unsigned> out;
    for (const OptionItem& item : OptionsOfType(type)) {
        out.push_back(item.textId);
    }
    return out;
}

TEST(AnalysisRules, EachTypeListsItsOptionsInOrder) {
    using S = Slot;
    EXPECT_EQ(slotsOf(IDS_TYPE_TRANSIENT),
              (std::vector<S>{S::transient, S::monteCarlo, S::parametricSweep, S::temperature,
                              S::transientSaveBias, S::loadBias, S::checkpoint, S::restart}));
    EXPECT_EQ(slotsOf(IDS_TYPE_DC_SWEEP),
              (std::vector<S>{S::dcPrimarySweep, S::dcSecondarySweep, S::monteCarlo,
                              S::parametricSweep, S::temperature, S::dcSaveBias, S::loadBias}));
    EXPECT_EQ(slotsOf(IDS_TYPE_AC_SWEEP),
              (std::vector<S>{S::acSweep, S::monteCarlo, S::parametricSweep, S::temperature,
                              S::dcSaveBias, S::loadBias}));
    EXPECT_EQ(slotsOf(IDS_TYPE_BIAS_POINT),
              (std::vector<S>{S::biasPoint, S::temperature, S::dcSaveBias, S::loadBias}));
    // Any other item data lists nothing; the empty slot is never listed.
    EXPECT_TRUE(OptionsOfType(0).empty());
    EXPECT_TRUE(OptionsOfType(IDS_OPT_GENERAL_SETTINGS).empty());
    for (const unsigned type : kTypeStringIds) {
        for (const Slot slot : slotsOf(type)) {
            EXPECT_NE(slot, Slot::unused);
        }
    }
    EXPECT_EQ(textsOf(IDS_TYPE_DC_SWEEP).front(), IDS_OPT_PRIMARY_SWEEP);
    EXPECT_EQ(textsOf(IDS_TYPE_BIAS_POINT),
              (std::vector<unsigned>{IDS_OPT_GENERAL_SETTINGS, IDS_OPT_TEMPERATURE,
                                     IDS_OPT_SAVE_BIAS, IDS_OPT_LOAD_BIAS}));
    // The combo's order is the order of analysisType.
    EXPECT_EQ(kTypeStringIds, (std::array<unsigned, 4>{IDS_TYPE_TRANSIENT, IDS_TYPE_DC_SWEEP,
                                                       IDS_TYPE_AC_SWEEP, IDS_TYPE_BIAS_POINT}));
}

TEST(AnalysisRules, SweepTypeMapsOntoTheControlsAndBack) {
    struct Row {
        int stored;
        SweepControls shown;
        int saved;
    };
    const Row rows[] = {
        {0, {0, 1}, 0}, {1, {1, 0}, 1},  {2, {1, 1}, 2},  {3, {2, 1}, 3},
        {4, {0, 1}, 0}, {-1, {0, 1}, 0}, {99, {0, 1}, 0},
    };
    for (const Row& row : rows) {
        const SweepControls shown = SweepControlsOf(row.stored);
        EXPECT_EQ(shown.radio, row.shown.radio) << row.stored;
        EXPECT_EQ(shown.combo, row.shown.combo) << row.stored;
        EXPECT_EQ(SweepTypeOf(shown), row.saved) << row.stored;
    }
    // No radio at all saves as linear; the combo matters only to the logarithmic radio.
    EXPECT_EQ(SweepTypeOf({-1, 0}), 0);
    EXPECT_EQ(SweepTypeOf({0, 0}), 0);
    EXPECT_EQ(SweepTypeOf({2, 0}), 3);
}

TEST(AnalysisRules, AcSweepTypeMapsOntoTheSortedCombo) {
    struct Row {
        int stored;
        SweepControls shown;
        int saved;
        unsigned label;
    };
    const Row rows[] = {
        {0, {0, 0}, 0, IDS_AC_TOTAL_POINTS_LABEL},  {1, {1, 1}, 1, IDS_AC_POINTS_OCTAVE_LABEL},
        {2, {1, 0}, 2, IDS_AC_POINTS_DECADE_LABEL}, {3, {0, 0}, 0, IDS_AC_TOTAL_POINTS_LABEL},
        {-5, {0, 0}, 0, IDS_AC_TOTAL_POINTS_LABEL},
    };
    for (const Row& row : rows) {
        const SweepControls shown = AcSweepControlsOf(row.stored);
        EXPECT_EQ(shown.radio, row.shown.radio) << row.stored;
        EXPECT_EQ(shown.combo, row.shown.combo) << row.stored;
        EXPECT_EQ(AcSweepTypeOf(shown), row.saved) << row.stored;
        EXPECT_EQ(AcPointsLabelOf(shown), row.label) << row.stored;
    }
    EXPECT_EQ(AcPointsLabelOf({0, 1}), IDS_AC_TOTAL_POINTS_LABEL);
}

TEST(AnalysisRules, VariableKindEnables) {
    struct Row {
        int kind;
        bool source, model, param;
    };
    const Row rows[] = {
        {0, true, false, false}, {1, true, false, false},  {2, false, false, true},
        {3, false, true, true},  {4, false, false, false}, {-1, false, false, false},
    };
    for (const Row& row : rows) {
        const VariableEnables on = EnablesOfVariableKind(row.kind);
        EXPECT_EQ(on.sourceName, row.source) << row.kind;
        EXPECT_EQ(on.model, row.model) << row.kind;
        EXPECT_EQ(on.paramName, row.param) << row.kind;
    }
}

TEST(AnalysisRules, SweepTypeEnables) {
    struct Row {
        int radio, combo;
        bool range, combos, list;
        std::optional<unsigned> label;
    };
    const Row rows[] = {
        {0, 1, true, false, false, IDS_INCREMENT_LABEL},
        {1, 1, true, true, false, IDS_POINTS_DECADE_LABEL},
        {1, 0, true, true, false, IDS_POINTS_OCTAVE_LABEL},
        {2, 1, false, false, true, std::nullopt},
        {-1, 1, false, false, false, std::nullopt},
    };
    for (const Row& row : rows) {
        const SweepTypeEnables on = EnablesOfSweepType(row.radio, row.combo);
        EXPECT_EQ(on.range, row.range) << row.radio;
        EXPECT_EQ(on.octaveDecade, row.combos) << row.radio;
        EXPECT_EQ(on.valueList, row.list) << row.radio;
        EXPECT_EQ(on.incrementLabel, row.label) << row.radio;
    }
}

// The message (string id) and focus of a refusal, or {0, 0} when none.
std::pair<unsigned, int> what(const std::optional<Refusal>& refusal) {
    if (!refusal) {
        return {0, 0};
    }
    return {std::get<UINT>(refusal->message), refusal->controlId};
}

TEST(AnalysisRules, SweepValidationOrder) {
    struct Row {
        const char* name;
        SweepInput input;
        std::pair<unsigned, int> expected;
    };
    const Row rows[] = {
        {"source without a name",
         {0, 0, "", "", "", "", "0", "5", "1", ""},
         {IDS_ENTER_SOURCE_NAME, IDC_SOURCE_NAME}},
        {"current source without a name",
         {1, 2, "", "", "", "", "", "", "", "1 2"},
         {IDS_ENTER_SOURCE_NAME, IDC_SOURCE_NAME}},
        {"global parameter without a name",
         {2, 0, "V1", "", "", "", "0", "5", "1", ""},
         {IDS_ENTER_GLOBAL_PARAM, IDC_PARAM_NAME}},
        {"model parameter: the type first",
         {3, 0, "", "", "", "", "", "", "", ""},
         {IDS_SELECT_MODEL_TYPE, IDC_MODEL_TYPE}},
        {"model parameter: the parameter before the model",
         {3, 0, "", "", "", "NPN", "", "", "", ""},
         {IDS_ENTER_MODEL_PARAM, IDC_PARAM_NAME}},
        {"model parameter: then the model",
         {3, 0, "", "BF", "", "NPN", "", "", "", ""},
         {IDS_ENTER_MODEL_NAME, IDC_MODEL_NAME}},
        {"temperature list needs no name", {4, 2, "", "", "", "", "", "", "", "0 27"}, {0, 0}},
        {"empty list",
         {4, 2, "", "", "", "", "0", "5", "1", ""},
         {IDS_ENTER_SWEEP_LIST, IDC_SWEEP_VALUES}},
        {"start",
         {4, 0, "", "", "", "", "", "5", "1", ""},
         {IDS_ENTER_SWEEP_START, IDC_START_VALUE}},
        {"end", {4, 1, "", "", "", "", "0", "", "", ""}, {IDS_ENTER_SWEEP_END, IDC_END_VALUE}},
        {"logarithmic points",
         {4, 1, "", "", "", "", "1", "10", "", ""},
         {IDS_ENTER_SWEEP_POINTS, IDC_INCREMENT}},
        {"linear increment",
         {4, 0, "", "", "", "", "1", "10", "", ""},
         {IDS_ENTER_SWEEP_INCREMENT, IDC_INCREMENT}},
        {"no sweep type: start and end only", {4, -1, "", "", "", "", "1", "10", "", ""}, {0, 0}},
        {"no sweep type without start",
         {0, -1, "V1", "", "", "", "", "10", "", ""},
         {IDS_ENTER_SWEEP_START, IDC_START_VALUE}},
        {"no kind chosen needs no name", {-1, 0, "", "", "", "", "1", "2", "3", ""}, {0, 0}},
        {"contents are not checked", {0, 0, " ", "", "", "", "x", "y", "z", ""}, {0, 0}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(what(CheckSweep(row.input)), row.expected) << row.name;
    }
}

TEST(AnalysisRules, AcValidationLetsNoiseOutrankFrequencies) {
    struct Row {
        const char* name;
        AcSweepInput input;
        std::pair<unsigned, int> expected;
    };
    const Row rows[] = {
        {"complete", {"10", "1G", "20", false, "", ""}, {0, 0}},
        {"start", {"", "", "", false, "", ""}, {IDS_ENTER_AC_START, IDC_AC_START_FREQ}},
        {"end", {"10", "", "", false, "", ""}, {IDS_ENTER_AC_END, IDC_AC_END_FREQ}},
        {"points", {"10", "1G", "", false, "", ""}, {IDS_ENTER_AC_POINTS, IDC_AC_POINTS}},
        {"noise output before start",
         {"", "", "", true, "", ""},
         {IDS_ENTER_NOISE_OUTPUT, IDC_NOISE_OUTPUT}},
        {"noise source",
         {"", "1G", "20", true, "V(out)", ""},
         {IDS_ENTER_NOISE_SOURCE, IDC_NOISE_SOURCE}},
        {"noise complete, frequency missing",
         {"10", "", "20", true, "V(out)", "V1"},
         {IDS_ENTER_AC_END, IDC_AC_END_FREQ}},
        {"noise disabled: its fields are not required", {"10", "1G", "20", false, "", ""}, {0, 0}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(what(CheckAcSweep(row.input)), row.expected) << row.name;
    }
}

TEST(AnalysisRules, BiasPointValidation) {
    struct Row {
        BiasPointInput input;
        std::pair<unsigned, int> expected;
    };
    const Row rows[] = {
        {{false, "", false, "", ""}, {0, 0}},
        {{true, "", true, "", ""}, {IDS_ENTER_SENS_OUTPUT, IDC_SENS_VARS}},
        {{true, "V(out)", true, "", ""}, {IDS_ENTER_TF_INPUT, IDC_TF_INPUT}},
        {{false, "", true, "V1", ""}, {IDS_ENTER_TF_OUTPUT, IDC_TF_OUTPUT}},
        {{false, "", true, "V1", "V(out)"}, {0, 0}},
        {{true, "V(out)", false, "", ""}, {0, 0}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(what(CheckBiasPoint(row.input)), row.expected);
    }
}

TEST(AnalysisRules, TransientAndTemperature) {
    EXPECT_EQ(what(CheckTransient("")),
              std::make_pair(unsigned{IDS_ENTER_FINAL_TIME}, int{IDC_RUN_TO_TIME}));
    EXPECT_EQ(what(CheckTransient("1m")), std::make_pair(0u, 0));
    const std::pair<unsigned, int> single{IDS_ENTER_TEMPERATURES, IDC_TEMP_SINGLE_TEXT};
    const std::pair<unsigned, int> list{IDS_ENTER_TEMPERATURES, IDC_TEMP_LIST_TEXT};
    EXPECT_EQ(what(CheckTemperature(0, "", "0 27")), single);
    EXPECT_EQ(what(CheckTemperature(1, "27", "")), list);
    EXPECT_EQ(what(CheckTemperature(0, "27", "")), std::make_pair(0u, 0));
    EXPECT_EQ(what(CheckTemperature(1, "", "0 27")), std::make_pair(0u, 0));
}

TEST(AnalysisRules, BiasFiles) {
    const auto save = CheckSaveBiasFile("", IDC_DSB_FILE);
    ASSERT_TRUE(save.has_value());
    EXPECT_EQ(std::get<CatalogMessage>(save->message).number, msg::enterSaveBiasFile.number);
    EXPECT_EQ(save->controlId, IDC_DSB_FILE);
    EXPECT_EQ(save->style, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_FALSE(CheckSaveBiasFile("b.bsp", IDC_TSB_FILE).has_value());
    const auto load = CheckLoadBiasFile("");
    ASSERT_TRUE(load.has_value());
    EXPECT_EQ(std::get<CatalogMessage>(load->message).number, msg::enterLoadBiasFile.number);
    EXPECT_EQ(load->controlId, IDC_LOAD_BIAS_FILE);
    EXPECT_FALSE(CheckLoadBiasFile("b.bsp").has_value());

    const std::tuple<const char*, const char*, std::string> rows[] = {
        {"D:\\proj\\p1\\bias.txt", "D:\\proj\\p1", "bias.txt"},
        {"d:\\PROJ\\P1\\bias.txt", "D:\\proj\\p1", "bias.txt"},
        {"D:\\proj\\bias.txt", "D:\\proj\\p1", "D:\\proj\\bias.txt"},
        {"D:\\proj\\p1\\sub\\bias.txt", "D:\\proj\\p1", "D:\\proj\\p1\\sub\\bias.txt"},
        {"D:\\proj\\p10\\bias.txt", "D:\\proj\\p1", "D:\\proj\\p10\\bias.txt"},
        {"bias.txt", "", "bias.txt"},
    };
    for (const auto& [full, dir, stored] : rows) {
        EXPECT_EQ(StoredBiasFileName(full, dir), stored) << full;
    }
}

}  // namespace
