// Scenario tests of the Vavir Window page through the Robot: the enable rules of the two check
// boxes, the circuit-file rule, what OK writes back (16-bit fields included) and which clicks
// mark the page modified.
#include <gtest/gtest.h>

#include "SheetFixture.h"
#include "kvTessel/ProbeWindowSettings.h"

namespace {

using kvtest::SheetFixture;

constexpr const char* kOnOpen = "Display Vavir window when profile is &opened.";
constexpr const char* kOnRun = "Di&splay Vavir window:";
constexpr const char* kDuring = "&during simulation.";
constexpr const char* kAfter = "after simulation has &completed.";
constexpr const char* kShow = "=Show";
constexpr const char* kAllMarkers = "&All markers on open schematics.";
constexpr const char* kLastPlot = "&Last plot.";
constexpr const char* kNothing = "&Nothing.";

class ProbeWindowPageTest : public SheetFixture {
  protected:
    void SetUp() override {
        SheetFixture::SetUp();
        m_profile.probeWindow = &m_window;
        m_general.circuitMode = 0;  // schematic unless a test says otherwise
        m_general.inputEditable = 0;
    }
    void openPage() {
        openModeless();
        clickTab("Vavir Window");
    }
    // The enable state of: when (both radios), Show group, all markers, last plot, nothing.
    std::vector<bool> enables() {
        return {enabled(kDuring),     enabled(kAfter),    enabled(kShow),
                enabled(kAllMarkers), enabled(kLastPlot), enabled(kNothing)};
    }
    ProbeWindowSettings m_window;
};

struct EnableCase {
    const char* name;
    int onOpen, onRun, circuitMode;
    std::vector<bool> expected;  // during, after, Show, all markers, last plot, nothing
};

TEST_F(ProbeWindowPageTest, TheCheckBoxesEnableTheirChoices) {
    const EnableCase cases[] = {
        {"both clear", 0, 0, 0, {false, false, false, false, false, false}},
        {"only on open", 1, 0, 0, {false, false, true, true, true, true}},
        {"only on run", 0, 1, 0, {true, true, true, true, true, true}},
        {"both", 1, 1, 0, {true, true, true, true, true, true}},
        {"circuit file: no markers to show", 1, 1, 1, {true, true, true, false, true, true}},
        {"circuit file, both clear", 0, 0, 1, {false, false, false, false, false, false}},
    };
    for (const EnableCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_window.displayOnOpen = c.onOpen;
        m_window.displayOnRun = c.onRun;
        m_general.circuitMode = c.circuitMode;
        openPage();
        EXPECT_EQ(enables(), c.expected);
        deleteSheet();
    }
}

TEST_F(ProbeWindowPageTest, ClickingTheCheckBoxesAppliesTheRulesAtOnce) {
    openPage();
    click(kOnOpen);
    EXPECT_EQ(enables(), (std::vector<bool>{false, false, true, true, true, true}));
    click(kOnRun);
    EXPECT_EQ(enables(), (std::vector<bool>{true, true, true, true, true, true}));
    click(kOnOpen);
    click(kOnRun);
    EXPECT_EQ(enables(), (std::vector<bool>{false, false, false, false, false, false}));
    // The check boxes alone do not mark the page modified; the radio buttons do.
    EXPECT_FALSE(enabled("&Apply"));
    click(kOnRun);
    click(kAfter);
    EXPECT_TRUE(enabled("&Apply"));
    click("OK");
    EXPECT_EQ(m_window.displayOnOpen, 0);
    EXPECT_EQ(m_window.displayOnRun, 1);
    EXPECT_EQ(m_window.displayWhen, 1);
}

TEST_F(ProbeWindowPageTest, ACircuitFileProfileOpensOnTheLastPlot) {
    m_general.circuitMode = 1;
    m_general.inputEditable = 1;
    m_window.displayOnOpen = 1;
    m_window.showOnDisplay = 0;
    openPage();
    EXPECT_TRUE(checked(kLastPlot));
    EXPECT_FALSE(checked(kAllMarkers));
    EXPECT_FALSE(enabled(kAllMarkers));
    // Toggling either check box keeps the markers choice disabled.
    click(kOnRun);
    EXPECT_FALSE(enabled(kAllMarkers));
    click(kOnOpen);
    click(kOnOpen);
    EXPECT_FALSE(enabled(kAllMarkers));
    click("OK");
    EXPECT_EQ(m_window.showOnDisplay, 1);
}

TEST_F(ProbeWindowPageTest, ASchematicProfileKeepsEveryShowChoice) {
    m_window.displayOnRun = 1;
    m_window.showOnDisplay = 0;
    openPage();
    EXPECT_TRUE(checked(kAllMarkers));
    click(kNothing);
    EXPECT_TRUE(enabled("&Apply"));
    click("OK");
    EXPECT_EQ(m_window.showOnDisplay, 2);
}

TEST_F(ProbeWindowPageTest, SixteenBitFieldsAreWidenedAndCut) {
    m_window.displayOnRun = 1;
    m_window.displayWhen = 1;
    m_window.showOnDisplay = 2;
    openPage();
    EXPECT_TRUE(checked(kAfter));
    EXPECT_TRUE(checked(kNothing));
    click(kDuring);
    click("OK");
    EXPECT_EQ(m_window.displayWhen, 0);
    EXPECT_EQ(m_window.showOnDisplay, 2);
}

TEST_F(ProbeWindowPageTest, WithoutItsRecordNothingIsReadOrWritten) {
    m_profile.probeWindow = nullptr;
    m_general.circuitMode = 1;
    m_general.inputEditable = 1;
    openPage();
    EXPECT_EQ(enables(), (std::vector<bool>{false, false, false, false, false, false}));
    click(kOnOpen);
    // Without the record the circuit-file rule does not apply.
    EXPECT_TRUE(enabled(kAllMarkers));
    click("OK");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
}

}  // namespace
