// Scenario tests of the Measurements page through the Robot. The sheet builds the page without
// a tab; a test adds it to the open sheet and makes it the active page. Filters typed
// and entered with Enter (the key goes through the host's message loop, as keyboard input
// does), kinds listed and removed, incremental selection, the function catalogue from the
// configured and the design's function files, and what OK writes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SheetFixture.h"
#include "entry/SimPropertySheet.h"
#include "kvTessel/MeasurementSettings.h"

namespace {

using kvtest::SheetFixture;

// Control ids of the page's template.
constexpr int kGrid = 2000;
constexpr int kFilter = 2002;
constexpr int kVariables = 2003;
constexpr int kCategory = 2007;
constexpr int kFunctions = 2008;
constexpr int kCount = 2012;
constexpr int kState = 2013;

constexpr const char* kVoltages = "&Voltages";
constexpr const char* kCurrents = "Cu&rrents";
constexpr const char* kPower = "&Power";

std::vector<OutputVariable> variables(std::initializer_list<const char*> names) {
    std::vector<OutputVariable> list;
    for (const char* name : names) {
        list.push_back({name, 0});
    }
    return list;
}

class MeasurementPageTest : public SheetFixture {
  protected:
    void SetUp() override {
        SheetFixture::SetUp();
        m_settings.voltageVars = variables({"V(out)", "V(in)", "V1(x)", "V(bias)"});
        m_settings.currentVars = variables({"I(R1)", "I(Q1:c)", "I(V1)"});
        m_settings.powerVars = variables({"W(R1)", "W(Q1)"});
        m_settings.measureList = {MeasData("Max(V(out))", true, 0),
                                  MeasData("Bandwidth(V(out),3)", false, 2),
                                  MeasData("Risetime(V(in))", true, 0)};
        m_profile.measurements = &m_settings;
    }
    void openPage() {
        openModeless();
        m_sheet->AddPage(&m_sheet->m_measurementPage);
        ASSERT_TRUE(m_sheet->SetActivePage(&m_sheet->m_measurementPage));
        pump();
    }
    HWND byId(int id) {
        const kvwin32::RobotResult found = m_robot.find(kvwin32::ControlQuery::byId(id));
        EXPECT_TRUE(found.ok()) << id << ": " << found.error;
        return found.hwnd;
    }
    void category(const std::string& name) {
        EXPECT_TRUE(m_robot.select(byId(kCategory), kvwin32::ItemQuery::named(name)).ok());
        pump();
    }
    HWND grid() { return byId(kGrid); }
    // The expressions the grid shows (the new-measurement row left out).
    std::vector<std::string> expressions() {
        std::vector<std::string> out;
        const auto first = kvwin32::Robot::gridCell(grid(), 1, 2);
        EXPECT_TRUE(first.has_value());
        for (int r = 1; first && r < first->rows; ++r) {
            out.push_back(kvwin32::Robot::gridCell(grid(), r, 2)->text);
        }
        return out;
    }
    // Chooses an analysis on the Analysis page, then comes back to this page.
    void chooseAnalysis(const std::string& type) {
        clickTab("Analysis ");
        select("Analysis type:", type);
        ASSERT_TRUE(m_sheet->SetActivePage(&m_sheet->m_measurementPage));
        pump();
    }
    // Starts editing a row's expression with two clicks, as a person does.
    void editExpression(int row) {
        ASSERT_TRUE(m_robot.clickCell(grid(), row, 2).ok());
        ASSERT_TRUE(m_robot.clickCell(grid(), row, 2).ok());
    }
    std::vector<std::string> listed() { return kvwin32::Robot::items(byId(kVariables)); }
    std::string label(int id) { return kvwin32::Robot::text(byId(id)); }
    // Types a filter and presses Enter in it, the key arriving through the message queue.
    void enterFilter(const std::string& filter) {
        const HWND edit = byId(kFilter);
        EXPECT_TRUE(m_robot.type(edit, filter).ok());
        pump();
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(edit, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001u));
        pump();
    }
    MeasurementSettings m_settings;
};

const std::vector<std::string> kEverything = {"I(Q1:c)", "I(R1)", "I(V1)", "V(bias)", "V(in)",
                                              "V(out)",  "V1(x)", "W(Q1)", "W(R1)"};

TEST_F(MeasurementPageTest, OpensWithEveryKindListedAndTheGoalFunctions) {
    openPage();
    EXPECT_EQ(listed(), kEverything);
    EXPECT_EQ(label(kCount), "9 items");
    EXPECT_EQ(label(kState), "Full List");
    EXPECT_EQ(label(kFilter), "*");
    EXPECT_TRUE(checked(kVoltages));
    EXPECT_TRUE(checked(kCurrents));
    EXPECT_TRUE(checked(kPower));
    EXPECT_TRUE(checked("&Display measurements after simulation"));
    EXPECT_EQ(kvwin32::Robot::selectedText(byId(kCategory)), "Goal Functions");
    EXPECT_EQ(
        kvwin32::Robot::items(byId(kCategory)),
        (std::vector<std::string>{"Analog Operators and Functions", "Macros", "Goal Functions"}));
    // Opening changes nothing: Apply stays off and the listed bytes follow "*".
    EXPECT_FALSE(enabled("&Apply"));
    for (const auto* list : {&m_settings.voltageVars, &m_settings.currentVars}) {
        for (const OutputVariable& v : *list) {
            EXPECT_EQ(v.listed, 1) << v.name;
        }
    }
}

TEST_F(MeasurementPageTest, APrefixFilterListsItsNamesAndAnEmptyOneEverything) {
    openPage();
    enterFilter("v(*");
    EXPECT_EQ(listed(), (std::vector<std::string>{"V(bias)", "V(in)", "V(out)"}));
    EXPECT_EQ(label(kState), "Partial List");
    EXPECT_EQ(label(kCount), "3 items");
    EXPECT_EQ(m_settings.voltageVars[2].listed, 0);  // V1(x)
    EXPECT_EQ(m_settings.currentVars[0].listed, 0);
    EXPECT_TRUE(enabled("&Apply"));

    enterFilter("   ");
    EXPECT_EQ(listed(), kEverything);
    EXPECT_EQ(label(kState), "Full List");
    EXPECT_EQ(label(kFilter), "*");
    EXPECT_EQ(label(kCount), "9 items");
}

TEST_F(MeasurementPageTest, AFilterWithoutWildcardsRevertsToThePreviousOne) {
    openPage();
    enterFilter("?(R1)");
    EXPECT_EQ(listed(), (std::vector<std::string>{"I(R1)", "W(R1)"}));
    enterFilter("V(out)");
    EXPECT_EQ(label(kFilter), "?(R1)");
    EXPECT_EQ(listed(), (std::vector<std::string>{"I(R1)", "W(R1)"}));
    EXPECT_EQ(label(kState), "Partial List");
    // The same filter again changes nothing either.
    enterFilter("?(r1)");
    EXPECT_EQ(listed(), (std::vector<std::string>{"I(R1)", "W(R1)"}));
}

TEST_F(MeasurementPageTest, KindsAreRemovedAndListedAgainUnderTheFilter) {
    openPage();
    click(kCurrents);
    EXPECT_EQ(listed(),
              (std::vector<std::string>{"V(bias)", "V(in)", "V(out)", "V1(x)", "W(Q1)", "W(R1)"}));
    EXPECT_EQ(label(kCount), "6 items");
    enterFilter("*1*");
    EXPECT_EQ(listed(), (std::vector<std::string>{"V1(x)", "W(Q1)", "W(R1)"}));
    click(kCurrents);
    EXPECT_EQ(listed(),
              (std::vector<std::string>{"I(Q1:c)", "I(R1)", "I(V1)", "V1(x)", "W(Q1)", "W(R1)"}));
    click(kVoltages);
    click(kPower);
    EXPECT_EQ(listed(), (std::vector<std::string>{"I(Q1:c)", "I(R1)", "I(V1)"}));
    EXPECT_EQ(label(kCount), "3 items");
    // Enter relists only the checked kinds.
    enterFilter("*");
    EXPECT_EQ(listed(), (std::vector<std::string>{"I(Q1:c)", "I(R1)", "I(V1)"}));
}

TEST_F(MeasurementPageTest, TypingSelectsTheFirstNameThatBeginsSo) {
    openPage();
    EXPECT_TRUE(m_robot.type(byId(kFilter), "v(o").ok());
    pump();
    EXPECT_EQ(kvwin32::Robot::selectedText(byId(kVariables)), "V(out)");
    EXPECT_TRUE(m_robot.type(byId(kFilter), "i").ok());
    pump();
    EXPECT_EQ(kvwin32::Robot::selectedText(byId(kVariables)), "I(Q1:c)");
    EXPECT_TRUE(m_robot.type(byId(kFilter), "*(o").ok());
    pump();
    EXPECT_EQ(kvwin32::Robot::selectedText(byId(kVariables)), "");
    EXPECT_TRUE(m_robot.type(byId(kFilter), "X").ok());
    pump();
    EXPECT_EQ(kvwin32::Robot::selectedText(byId(kVariables)), "");
}

TEST_F(MeasurementPageTest, OkWritesThePageBack) {
    openPage();
    enterFilter("V(*");
    click(kPower);
    click("&Display measurements after simulation");
    click("OK");
    EXPECT_EQ(m_settings.variableFilter, "V(*");
    EXPECT_EQ(m_settings.showVoltages, 1);
    EXPECT_EQ(m_settings.showCurrents, 1);
    EXPECT_EQ(m_settings.showPower, 0);
    EXPECT_EQ(m_settings.displayAfterRun, 0);
    EXPECT_EQ(m_settings.changed, 1);
    EXPECT_EQ(m_settings.measureList,
              (std::vector<MeasData>{MeasData("Max(V(out))", true, 0),
                                     MeasData("Bandwidth(V(out),3)", false, 2),
                                     MeasData("Risetime(V(in))", true, 0)}));
}

TEST_F(MeasurementPageTest, NothingChangedWritesNothing) {
    m_settings.variableFilter = "kept";
    openPage();
    click("OK");
    EXPECT_EQ(m_settings.variableFilter, "kept");
    EXPECT_EQ(m_settings.changed, 0);
}

TEST_F(MeasurementPageTest, WithoutTheRecordNothingIsListed) {
    m_profile.measurements = nullptr;
    openPage();
    EXPECT_TRUE(listed().empty());
    EXPECT_EQ(label(kCount), "0 items");
    category("Analog Operators and Functions");
    const std::vector<std::string> functions = kvwin32::Robot::items(byId(kFunctions));
    ASSERT_EQ(functions.size(), 33u);
    EXPECT_EQ(std::vector<std::string>(functions.begin(), functions.begin() + 8),
              (std::vector<std::string>{"+", "-", "*", "/", "()", "@", "ABS( )", "SGN( )"}));
    EXPECT_EQ(functions.back(), "ENVMIN( , )");
    click("Cu&rrents");
    click("OK");
}

// The configured function file comes first, then the design's, found beside its waveform data.
TEST_F(MeasurementPageTest, TheCatalogueReadsTheConfiguredAndTheDesignFiles) {
    m_dir.mkdir("home");
    m_dir.write("install/Ventra.ini", "[PROBE]\nPRBFILE=D:\\install\\shared.prb\n");
    m_dir.write("install/shared.prb",
                "[MACROS]\nMix(a,b,c) = a+b+c\n[GOAL FUNCTIONS]\nRisetime(1) = x2-x1\n");
    m_dir.write("proj/profiles/p1/amp.prb",
                "[GOAL FUNCTIONS]\n* overshoot\nPeak(1) = max(x1)\n{\nskipped\n}\n[MACROS]\n"
                "Sum2(a, b) = a+b\n");
    SetEnvironmentVariableA("VENTRAINIPATH", "D:\\install\\Ventra.ini");
    SetEnvironmentVariableA("HOME", "D:\\home");
    openPage();
    SetEnvironmentVariableA("VENTRAINIPATH", nullptr);
    SetEnvironmentVariableA("HOME", nullptr);
    EXPECT_EQ(kvwin32::Robot::items(byId(kFunctions)),
              (std::vector<std::string>{"Risetime(1) ", "Peak(1) "}));
    category("Macros");
    EXPECT_EQ(kvwin32::Robot::items(byId(kFunctions)),
              (std::vector<std::string>{"Mix(a,b,c) = a+b+c", "Sum2(a, b) = a+b"}));
    const CMeasurementPage& page = m_sheet->m_measurementPage;
    ASSERT_EQ(page.m_macros.size(), 2u);
    EXPECT_EQ(page.m_macros[0].name, "Mix(,,)");
    EXPECT_EQ(page.m_goalFunctions[1].name, "Peak()");
}

TEST_F(MeasurementPageTest, EachAnalysisShowsItsOwnMeasurementsAndOkStoresThemAll) {
    openPage();
    EXPECT_EQ(expressions(), (std::vector<std::string>{"Max(V(out))", "Risetime(V(in))"}));
    chooseAnalysis("AC Sweep/Noise");
    EXPECT_EQ(expressions(), (std::vector<std::string>{"Bandwidth(V(out),3)"}));
    // A new AC measurement typed into the new-measurement row.
    ASSERT_TRUE(m_robot.clickCell(grid(), 2, 2).ok());
    ASSERT_TRUE(m_robot.typeKeys(grid(), "Gain(V(out))").ok());
    ASSERT_TRUE(m_robot.key(GetFocus(), VK_RETURN).ok());
    pump();
    EXPECT_EQ(expressions(), (std::vector<std::string>{"Bandwidth(V(out),3)", "Gain(V(out))"}));
    EXPECT_TRUE(enabled("&Apply"));
    chooseAnalysis("Time Domain (Transient)");
    EXPECT_EQ(expressions(), (std::vector<std::string>{"Max(V(out))", "Risetime(V(in))"}));
    chooseAnalysis("AC Sweep/Noise");
    EXPECT_EQ(expressions(), (std::vector<std::string>{"Bandwidth(V(out),3)", "Gain(V(out))"}));
    click("OK");
    // The edited analysis's measurements go to the end; the others keep their places.
    EXPECT_EQ(m_settings.measureList,
              (std::vector<MeasData>{
                  MeasData("Max(V(out))", true, 0), MeasData("Risetime(V(in))", true, 0),
                  MeasData("Bandwidth(V(out),3)", false, 2), MeasData("Gain(V(out))", true, 2)}));
    EXPECT_EQ(m_settings.changed, 1);
}

TEST_F(MeasurementPageTest, AGridWhoseExpressionsAreAllEmptiedStoresNoneOfItsAnalysis) {
    openPage();
    for (int i = 0; i < 2; ++i) {
        editExpression(1);
        ASSERT_TRUE(m_robot.type(GetFocus(), "").ok());
        ASSERT_TRUE(m_robot.clickCell(grid(), 2, 2).ok());
        pump();
    }
    EXPECT_TRUE(expressions().empty());
    click("OK");
    EXPECT_EQ(m_settings.measureList,
              (std::vector<MeasData>{MeasData("Bandwidth(V(out),3)", false, 2)}));
}

// While an expression is edited, a variable picked in the list goes in at its caret.
TEST_F(MeasurementPageTest, APickedVariableGoesIntoTheExpressionBeingEdited) {
    openPage();
    editExpression(1);
    ASSERT_TRUE(m_robot.type(GetFocus(), "MAX()").ok());
    SendMessageA(GetFocus(), EM_SETSEL, 4, 4);
    // The pick: the list takes the focus and the click, the button's release comes through
    // the message queue.
    const HWND list = byId(kVariables);
    SetFocus(list);
    SendMessageA(list, LB_SETCURSEL, 5, 0);  // V(out)
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_EQ(kvwin32::Robot::gridCell(grid(), 1, 2)->text, "MAX(V(out))");
}

}  // namespace
