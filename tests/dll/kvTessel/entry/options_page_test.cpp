// Scenario tests of the Options page through the Robot: the categories and their panels, the
// speed level with its range and visibility, every panel rule and Reset, the textual
// comparison with the defaults, the integer refusal, a profile without an options record, and
// the four advanced dialogs: their rules, OK and Cancel, and what reaches the profile.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SheetFixture.h"
#include "kvTessel/OptionSettings.h"

namespace {

using kvtest::SheetFixture;

constexpr const char* kAnalog = "Analog Simulation";
constexpr const char* kGate = "Gate-level Simulation";
constexpr const char* kOutput = "Output file";

class OptionsPageTest : public SheetFixture {
  protected:
    void SetUp() override {
        SheetFixture::SetUp();
        for (std::size_t i = 0; i < kOptionSlotCount; ++i) {
            m_options.optionValues[i] = std::string(OptionSettings::defaultTexts[i]);
        }
        m_options.ADVCONV = 1;
        m_options.autoConvergeRestart = 1;
        m_profile.options = &m_options;
    }
    void TearDown() override {
        // Every step queued for a dialog ran inside it.
        EXPECT_EQ(m_desktop->pendingActions(), 0u);
        SheetFixture::TearDown();
    }
    void openPage() {
        openModeless();
        clickTab("Options");
    }
    void reopen() {
        deleteSheet();
        openPage();
    }
    std::string value(OptionSlot slot) const { return m_options.optionValues[slotIndex(slot)]; }
    int isSet(OptionSlot slot) const { return m_options.optionIsSet[slotIndex(slot)]; }
    bool visible(const std::string& ref) { return kvwin32::Robot::visible(control(ref)); }
    // No control a user can reach has this name (a hidden panel is not searched).
    bool absent(const std::string& ref) {
        return !m_robot.find(kvwin32::ControlQuery::byText(ref)).ok();
    }
    void key(const std::string& ref, UINT vk) {
        const kvwin32::RobotResult done = m_robot.key(kvwin32::ControlQuery::byText(ref), vk);
        EXPECT_TRUE(done.ok()) << ref << ": " << done.error;
        pump();
    }

    // The control just after the one a user names so, in tab order (an edit beside a check box).
    HWND next(const std::string& ref) {
        kvwin32::ControlQuery query = kvwin32::ControlQuery::byText(ref);
        query.offset = 1;
        const kvwin32::RobotResult found = m_robot.find(query);
        EXPECT_TRUE(found.ok()) << ref << "+1: " << found.error;
        return found.hwnd;
    }
    void typeInto(HWND control, const std::string& text) {
        EXPECT_TRUE(m_robot.type(control, text).ok());
        pump();
    }
    // Queues a step of user input for the next modal dialog.
    void later(std::function<void()> step) { m_desktop->queueAction(std::move(step)); }
    // The caption of the active window (the modal dialog while one runs).
    static std::string activeCaption() { return kvwin32::Robot::text(GetActiveWindow()); }

    OptionSettings m_options;
};

TEST_F(OptionsPageTest, OpensOnTheAnalogPanelWithTheStoredValues) {
    m_options.optionValues[slotIndex(OptionSlot::RELTOL)] = "1e-4";
    m_options.PREORDER = 1;
    m_options.ADVCONV = 0;
    openPage();
    EXPECT_EQ(kvwin32::Robot::items(control("Category:")),
              (std::vector<std::string>{kAnalog, kGate, kOutput}));
    EXPECT_EQ(selected("Category:"), kAnalog);
    EXPECT_EQ(text("Relative accuracy of V's and I's:"), "1e-4");
    EXPECT_EQ(text("Best accuracy of voltages:"), "1.0u");
    EXPECT_EQ(text("DC and bias \"blind\" iteration limit:"), "150");
    EXPECT_EQ(text("Default nominal temperature:"), "27.0");
    EXPECT_TRUE(checked("Use preordering to reduce matrix fill-in."));
    EXPECT_FALSE(checked("Advanced Convergence"));
    EXPECT_EQ(text("Speed Level"), "3");
    // The threads label names this machine's processor count.
    const std::string threads = m_robot.labelOf(control("Number of Threads*"));
    EXPECT_EQ(threads.rfind("Number of Threads (Maximum is ", 0), 0u) << threads;
    EXPECT_NE(threads, "Number of Threads (Maximum is 0)");
    // Opening the page changes nothing.
    EXPECT_FALSE(enabled("&Apply"));
}

TEST_F(OptionsPageTest, TheComparisonWithTheDefaultIsTextual) {
    openPage();
    type("Relative accuracy of V's and I's:", "0.001");
    type("Best accuracy of currents:", "1.0e-12");
    type("Minimum conductance for any branch:", "1.0E-12 ");
    type("Number of Threads*", "2");
    click("OK");
    EXPECT_EQ(value(OptionSlot::RELTOL), "0.001");
    EXPECT_EQ(isSet(OptionSlot::RELTOL), 0);
    EXPECT_EQ(value(OptionSlot::ABSTOL), "1.0e-12");
    EXPECT_EQ(isSet(OptionSlot::ABSTOL), 1);
    EXPECT_EQ(value(OptionSlot::GMIN), "1.0E-12 ");
    EXPECT_EQ(isSet(OptionSlot::GMIN), 1);
    EXPECT_EQ(value(OptionSlot::THREADS), "2");
    EXPECT_EQ(isSet(OptionSlot::THREADS), 1);

    // Typed back to the default, an option is unset again.
    reopen();
    type("Best accuracy of currents:", "1.0p");
    type("Relative accuracy of V's and I's:", "1.0E-3");
    click("OK");
    EXPECT_EQ(value(OptionSlot::ABSTOL), "1.0p");
    EXPECT_EQ(isSet(OptionSlot::ABSTOL), 0);
    EXPECT_EQ(value(OptionSlot::RELTOL), "1.0E-3");
    EXPECT_EQ(isSet(OptionSlot::RELTOL), 1);
}

// Texts are kept as typed: what reaches the profile is what the edit took from the keyboard, and
// a long stored text is shown whole.
TEST_F(OptionsPageTest, LongTextsAreBoundedByTheEditAndKeptWhole) {
    const std::string stored(5000, '7');
    m_options.optionValues[slotIndex(OptionSlot::TNOM)] = stored;
    openPage();
    EXPECT_EQ(text("Default nominal temperature:"), stored);
    type("Best accuracy of charges:", std::string(40000, '1') + "p");
    const std::string shown = text("Best accuracy of charges:");
    // An edit takes 30000 characters from the keyboard unless told otherwise.
    EXPECT_EQ(shown, std::string(30000, '1'));
    click("OK");
    EXPECT_EQ(value(OptionSlot::CHGTOL), shown);
    EXPECT_EQ(isSet(OptionSlot::CHGTOL), 1);
    EXPECT_EQ(value(OptionSlot::TNOM), stored);
}

TEST_F(OptionsPageTest, TheEditsMarkThePageModifiedButThreadsAndTheCheckBoxesDoNot) {
    openPage();
    type("Number of Threads*", "4");
    click("Advanced Convergence");
    click("Use preordering to reduce matrix fill-in.");
    EXPECT_FALSE(enabled("&Apply"));
    type("Default nominal temperature:", "25");
    EXPECT_TRUE(enabled("&Apply"));
    click("&Apply");
    EXPECT_EQ(m_options.ADVCONV, 0);
    EXPECT_EQ(m_options.PREORDER, 1);
    EXPECT_EQ(value(OptionSlot::TNOM), "25");
    EXPECT_EQ(value(OptionSlot::THREADS), "4");
}

TEST_F(OptionsPageTest, TheSpeedLevelIsStoredWhenItIsNotThree) {
    openPage();
    click("OK");
    EXPECT_EQ(value(OptionSlot::speedLevel), "3");
    EXPECT_EQ(isSet(OptionSlot::speedLevel), 0);

    reopen();
    type("Speed Level", "0");
    EXPECT_TRUE(enabled("&Apply"));
    click("OK");
    EXPECT_EQ(value(OptionSlot::speedLevel), "0");
    EXPECT_EQ(isSet(OptionSlot::speedLevel), 1);

    // A stored level opens as it is and does not mark the page modified.
    reopen();
    EXPECT_EQ(text("Speed Level"), "0");
    EXPECT_FALSE(enabled("&Apply"));
}

TEST_F(OptionsPageTest, TheArrowsKeepTheSpeedLevelBetweenZeroAndFive) {
    openPage();
    for (int i = 0; i < 4; ++i) {
        key("Speed Level", VK_UP);
    }
    EXPECT_EQ(text("Speed Level"), "5");
    for (int i = 0; i < 7; ++i) {
        key("Speed Level", VK_DOWN);
    }
    EXPECT_EQ(text("Speed Level"), "0");
    key("Speed Level", VK_UP);
    click("OK");
    EXPECT_EQ(value(OptionSlot::speedLevel), "1");
}

TEST_F(OptionsPageTest, TheSpeedLevelShowsOnlyWithTheAnalogCategory) {
    openPage();
    EXPECT_TRUE(visible("Speed Level"));
    EXPECT_TRUE(visible("Relative accuracy of V's and I's:"));
    select("Category:", kGate);
    EXPECT_FALSE(visible("Speed Level"));
    EXPECT_TRUE(visible("Initialize all flip-flops to:"));
    EXPECT_TRUE(absent("Relative accuracy of V's and I's:"));
    select("Category:", kOutput);
    EXPECT_FALSE(visible("Speed Level"));
    EXPECT_TRUE(visible("Output file width:"));
    select("Category:", kAnalog);
    EXPECT_TRUE(visible("Speed Level"));
    EXPECT_TRUE(absent("Output file width:"));
    // Choosing a category alone is no change.
    EXPECT_FALSE(enabled("&Apply"));
}

TEST_F(OptionsPageTest, AnalogResetRestoresTheDefaultsAndTheSpeedLevel) {
    m_options.optionValues[slotIndex(OptionSlot::ITL4)] = "40";
    m_options.optionIsSet[slotIndex(OptionSlot::ITL4)] = 1;
    m_options.optionValues[slotIndex(OptionSlot::THREADS)] = "8";
    m_options.PREORDER = 1;
    m_options.ADVCONV = 0;
    openPage();
    type("Speed Level", "5");
    type("Best accuracy of charges:", "1p");
    click("&Apply");
    click("&Reset");
    EXPECT_EQ(text("Speed Level"), "3");
    EXPECT_EQ(text("Transient time point iteration limit:"), "10");
    EXPECT_EQ(text("Best accuracy of charges:"), "0.01p");
    EXPECT_EQ(text("Number of Threads*"), "0");
    EXPECT_FALSE(checked("Use preordering to reduce matrix fill-in."));
    EXPECT_TRUE(checked("Advanced Convergence"));
    EXPECT_TRUE(enabled("&Apply"));
    click("OK");
    EXPECT_EQ(value(OptionSlot::ITL4), "10");
    EXPECT_EQ(isSet(OptionSlot::ITL4), 0);
    EXPECT_EQ(isSet(OptionSlot::CHGTOL), 0);
    EXPECT_EQ(isSet(OptionSlot::speedLevel), 0);
    EXPECT_EQ(m_options.ADVCONV, 1);
}

TEST_F(OptionsPageTest, GatePanelShowsAndStoresItsChoices) {
    m_options.optionValues[slotIndex(OptionSlot::timingMode)] = "4";
    m_options.optionIsSet[slotIndex(OptionSlot::timingMode)] = 1;
    m_options.optionValues[slotIndex(OptionSlot::flipFlopInitialState)] = "1";
    m_options.optionValues[slotIndex(OptionSlot::adIoLevel)] = "3";
    m_options.suppressWaveformErrors = 1;
    openPage();
    select("Category:", kGate);
    EXPECT_TRUE(checked("Worst-case (min/max)"));
    EXPECT_FALSE(checked("Typical"));
    EXPECT_EQ(selected("Initialize all flip-flops to:"), "1");
    EXPECT_EQ(kvwin32::Robot::items(control("Initialize all flip-flops to:")),
              (std::vector<std::string>{"0", "1", "X"}));
    EXPECT_EQ(text("Default I/O level for A/D interfaces:"), "3");
    EXPECT_TRUE(checked("Suppress simulation error messages in waveform data file."));
    // Saved unchanged, the worst case keeps its flag.
    click("OK");
    EXPECT_EQ(value(OptionSlot::timingMode), "4");
    EXPECT_EQ(isSet(OptionSlot::timingMode), 1);
    EXPECT_EQ(value(OptionSlot::flipFlopInitialState), "1");
    EXPECT_EQ(isSet(OptionSlot::flipFlopInitialState), 1);
    EXPECT_EQ(isSet(OptionSlot::adIoLevel), 1);

    reopen();
    select("Category:", kGate);
    click("Minimum");
    EXPECT_TRUE(enabled("&Apply"));
    select("Initialize all flip-flops to:", "0");
    click("Suppress simulation error messages in waveform data file.");
    click("OK");
    EXPECT_EQ(value(OptionSlot::timingMode), "1");
    EXPECT_EQ(isSet(OptionSlot::timingMode), 1);
    EXPECT_EQ(value(OptionSlot::flipFlopInitialState), "0");
    EXPECT_EQ(m_options.suppressWaveformErrors, 0);
}

TEST_F(OptionsPageTest, GateResetKeepsTheSuppressCheck) {
    m_options.optionValues[slotIndex(OptionSlot::timingMode)] = "3";
    m_options.optionValues[slotIndex(OptionSlot::flipFlopInitialState)] = "0";
    m_options.optionValues[slotIndex(OptionSlot::adIoLevel)] = "4";
    m_options.suppressWaveformErrors = 1;
    openPage();
    select("Category:", kGate);
    click("&Reset");
    EXPECT_TRUE(checked("Typical"));
    EXPECT_EQ(selected("Initialize all flip-flops to:"), "X");
    EXPECT_EQ(text("Default I/O level for A/D interfaces:"), "1");
    EXPECT_TRUE(checked("Suppress simulation error messages in waveform data file."));
    EXPECT_TRUE(enabled("&Apply"));
    // The analog panel's Reset is the one that returns the speed level, not this one.
    type("Default I/O level for A/D interfaces:", "2");
    click("OK");
    EXPECT_EQ(value(OptionSlot::timingMode), "2");
    EXPECT_EQ(isSet(OptionSlot::timingMode), 0);
    EXPECT_EQ(value(OptionSlot::flipFlopInitialState), "2");
    EXPECT_EQ(value(OptionSlot::adIoLevel), "2");
    EXPECT_EQ(isSet(OptionSlot::adIoLevel), 1);
}

TEST_F(OptionsPageTest, ANumberEditThatIsNotANumberIsRefused) {
    openPage();
    select("Category:", kGate);
    type("Default I/O level for A/D interfaces:", "");
    select("Category:", kAnalog);
    type("Relative accuracy of V's and I's:", "2e-3");
    click("OK");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes().back(), "Please enter an integer.");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 1);
    // The refusing panel is shown with the focus on its edit; nothing was written.
    EXPECT_EQ(selected("Category:"), kGate);
    EXPECT_TRUE(kvwin32::Robot::focused(control("Default I/O level for A/D interfaces:")));
    EXPECT_EQ(value(OptionSlot::RELTOL), "0.001");

    type("Default I/O level for A/D interfaces:", "2");
    click("OK");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
    EXPECT_EQ(value(OptionSlot::RELTOL), "2e-3");
}

TEST_F(OptionsPageTest, OutputPanelInvertsTheNoSwitches) {
    m_options.NOECHO = 1;
    m_options.ACCT = 1;
    openPage();
    select("Category:", kOutput);
    EXPECT_TRUE(checked("Detailed summary and accounting information"));
    EXPECT_FALSE(checked("Circuit file statements"));
    EXPECT_TRUE(checked("Bias point node voltages"));
    EXPECT_EQ(text("Number of digits in printed values:"), "4");
    EXPECT_EQ(selected("Output file width:"), "80");
    click("Bias point node voltages");
    EXPECT_TRUE(enabled("&Apply"));
    click("Node summary (connections)");
    select("Output file width:", "132");
    type("Number of digits in printed values:", "6");
    click("OK");
    EXPECT_EQ(m_options.NOBIAS, 1);
    EXPECT_EQ(m_options.NODE, 1);
    EXPECT_EQ(m_options.NOECHO, 1);
    EXPECT_EQ(m_options.NOMOD, 0);
    EXPECT_EQ(m_options.ACCT, 1);
    EXPECT_EQ(value(OptionSlot::outputWidth), "132");
    EXPECT_EQ(isSet(OptionSlot::outputWidth), 1);
    EXPECT_EQ(value(OptionSlot::NUMDG), "6");
    EXPECT_EQ(isSet(OptionSlot::NUMDG), 1);
}

TEST_F(OptionsPageTest, OutputResetIncludesWhatTheOutputFileHasByDefault) {
    m_options.NOBIAS = m_options.NOECHO = m_options.NOMOD = m_options.NOOUTMSG = m_options.NOPAGE =
        1;
    m_options.ACCT = m_options.EXPAND = m_options.LIBRARY = m_options.LIST = m_options.NODE =
        m_options.OPTS = 1;
    m_options.optionValues[slotIndex(OptionSlot::outputWidth)] = "132";
    m_options.optionValues[slotIndex(OptionSlot::NUMDG)] = "8";
    openPage();
    select("Category:", kOutput);
    click("&Reset");
    for (const char* on :
         {"Bias point node voltages", "Circuit file statements", "Model parameter values",
          "Digital timing and hazard messages", "Page breaks and banners for each section"}) {
        EXPECT_TRUE(checked(on)) << on;
    }
    for (const char* off :
         {"Detailed summary and accounting information", "Subcircuit expansion and Load Bias files",
          "Statements included from libraries", "Device summary", "Node summary (connections)",
          "Value of each Ventra option"}) {
        EXPECT_FALSE(checked(off)) << off;
    }
    EXPECT_EQ(text("Number of digits in printed values:"), "4");
    EXPECT_EQ(selected("Output file width:"), "80");
    click("OK");
    EXPECT_EQ(m_options.NOBIAS + m_options.NOECHO + m_options.NOMOD + m_options.NOOUTMSG +
                  m_options.NOPAGE + m_options.ACCT + m_options.EXPAND + m_options.LIBRARY +
                  m_options.LIST + m_options.NODE + m_options.OPTS,
              0);
    EXPECT_EQ(isSet(OptionSlot::outputWidth), 0);
    EXPECT_EQ(isSet(OptionSlot::NUMDG), 0);
}

TEST_F(OptionsPageTest, WithoutAnOptionsRecordThePageShowsTheDefaultsAndWritesNothing) {
    m_profile.options = nullptr;
    openPage();
    EXPECT_EQ(text("Relative accuracy of V's and I's:"), "0.001");
    EXPECT_EQ(text("Speed Level"), "3");
    EXPECT_TRUE(checked("Advanced Convergence"));
    select("Category:", kGate);
    EXPECT_TRUE(checked("Typical"));
    select("Category:", kOutput);
    EXPECT_TRUE(checked("Bias point node voltages"));
    EXPECT_EQ(selected("Output file width:"), "80");
    // With no defaults to go back to, Reset empties.
    click("&Reset");
    EXPECT_FALSE(checked("Bias point node voltages"));
    EXPECT_EQ(text("Number of digits in printed values:"), "0");
    select("Category:", kAnalog);
    click("&Reset");
    EXPECT_EQ(text("Relative accuracy of V's and I's:"), "");
    EXPECT_EQ(text("Number of Threads*"), "0");
    type("Speed Level", "1");
    click("OK");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
    EXPECT_EQ(m_profile.options, nullptr);
}

// The build puts no help file beside the library: Help on the page and in a dialog both ask the
// help library, which reports its failure through the message catalogs and opens nothing. (With
// the help file, the topic opens: the golden script options_help.kvs.)
TEST_F(OptionsPageTest, HelpWithoutTheHelpFileReportsFromThePageAndItsDialogs) {
    openPage();
    click("Help");
    ASSERT_EQ(boxes().size(), 1u);
    m_desktop->queueAction([&] { m_robot.click(kvwin32::ControlQuery::byText("Help")); });
    m_desktop->queueAction([&] { m_robot.click(kvwin32::ControlQuery::byText("Cancel")); });
    click("&MOSFET Options...");
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[1], boxes()[0]);
    EXPECT_EQ(m_desktop->transcript().last(kvwin32::TranscriptKind::help), nullptr);
}

// ---- Advanced Analog Options ------------------------------------------------------------

TEST_F(OptionsPageTest, AdvancedAnalogRulesAndWhatOkStores) {
    m_options.NOSTEPSRC = 1;
    openPage();
    std::string caption;
    later([&] {
        caption = activeCaption();
        // Minimum values: an empty text shows its box cleared and its edit disabled.
        EXPECT_FALSE(checked("Minimum Diode Rs value"));
        EXPECT_FALSE(kvwin32::Robot::enabled(next("Minimum Diode Rs value")));
        click("Minimum Diode Rs value");
        EXPECT_TRUE(kvwin32::Robot::enabled(next("Minimum Diode Rs value")));
        EXPECT_EQ(kvwin32::Robot::text(next("Minimum Diode Rs value")), "1.0E-4");
        click("Use CSHUNT");
        EXPECT_EQ(kvwin32::Robot::text(next("Use CSHUNT")), "1.0E-12");
        click("Use CSHUNT");
        EXPECT_EQ(kvwin32::Robot::text(next("Use CSHUNT")), "");
        EXPECT_FALSE(kvwin32::Robot::enabled(next("Use CSHUNT")));
        // The lists: METHOD "0" names no item and shows "Default".
        EXPECT_EQ(selected("Simulation algorithm:"), "default");
        EXPECT_EQ(kvwin32::Robot::items(control("Simulation algorithm:")),
                  (std::vector<std::string>{"default", "0", "1"}));
        EXPECT_EQ(selected("Integration Method"), "Default");
        EXPECT_EQ(kvwin32::Robot::items(control("Integration Method")),
                  (std::vector<std::string>{"Default", "Gear", "Trapezoidal"}));
        // Skipping source stepping disables what belongs to it, from the start.
        EXPECT_FALSE(enabled("Source-Stepping Iteration Limit"));
        EXPECT_FALSE(enabled("Do not Step dependent sources during Source-Stepping"));
        EXPECT_FALSE(enabled("Step GMIN inside Source-Stepping"));
        click("Skip Source-Stepping");
        EXPECT_TRUE(enabled("Source-Stepping Iteration Limit"));
        EXPECT_TRUE(enabled("Step GMIN inside Source-Stepping"));
        EXPECT_FALSE(enabled("Gmin Steps"));
        click("Use Gmin Stepping");
        EXPECT_TRUE(enabled("Gmin Steps"));
        EXPECT_FALSE(enabled("Pseudo Tran Steps"));
        click("Use Pseudo-Transient");
        EXPECT_TRUE(enabled("Pseudo Tran Steps"));
        type("Gmin Steps", "10");
        type("Total Transient iteration limit (0=infinity):", "0");
        select("Simulation algorithm:", "1");
    });
    later([&] { click("OK"); });
    EXPECT_FALSE(enabled("&Apply"));
    click("Advanced Options...");
    EXPECT_EQ(caption, "Advanced Analog Options");
    EXPECT_TRUE(enabled("&Apply"));
    click("OK");
    EXPECT_EQ(value(OptionSlot::DIODERS), "1.0E-4");
    EXPECT_EQ(isSet(OptionSlot::DIODERS), 1);
    EXPECT_EQ(value(OptionSlot::CSHUNT), "");
    EXPECT_EQ(isSet(OptionSlot::CSHUNT), 0);
    EXPECT_EQ(value(OptionSlot::METHOD), "Default");
    EXPECT_EQ(isSet(OptionSlot::METHOD), 1);
    EXPECT_EQ(value(OptionSlot::SOLVER), "1");
    EXPECT_EQ(isSet(OptionSlot::SOLVER), 1);
    EXPECT_EQ(value(OptionSlot::GMINSTEPS), "10");
    EXPECT_EQ(isSet(OptionSlot::GMINSTEPS), 1);
    EXPECT_EQ(isSet(OptionSlot::ITL5), 0);
    EXPECT_EQ(m_options.NOSTEPSRC, 0);
    EXPECT_EQ(m_options.STEPGMIN, 1);
    EXPECT_EQ(m_options.PSEUDOTRAN, 1);
}

TEST_F(OptionsPageTest, AdvancedAnalogShowsStoredChoicesAndKeepsFlagsByComparingWithTheStore) {
    m_options.optionValues[slotIndex(OptionSlot::METHOD)] = "Gear";
    m_options.optionValues[slotIndex(OptionSlot::SOLVER)] = "0";
    m_options.optionValues[slotIndex(OptionSlot::BJTCJ)] = "  3.0E-11 ";
    m_options.optionValues[slotIndex(OptionSlot::TRTOL)] = "7";
    m_options.optionIsSet[slotIndex(OptionSlot::TRTOL)] = 1;
    openPage();
    later([&] {
        EXPECT_EQ(selected("Integration Method"), "Gear");
        EXPECT_EQ(selected("Simulation algorithm:"), "0");
        EXPECT_TRUE(checked("Minimum BJT Cje and Cjc value"));
        EXPECT_EQ(kvwin32::Robot::text(next("Minimum BJT Cje and Cjc value")), "3.0E-11");
        // A text that names no item of a list is not taken.
        type("Integration Method", "Euler");
    });
    later([&] { click("OK"); });
    click("Advanced Options...");
    click("OK");
    EXPECT_NE(value(OptionSlot::METHOD), "Euler");
    EXPECT_EQ(value(OptionSlot::SOLVER), "0");
    EXPECT_EQ(value(OptionSlot::BJTCJ), "3.0E-11");
    EXPECT_EQ(isSet(OptionSlot::BJTCJ), 1);
    // Compare-with-stored never clears a flag: TRTOL at its default keeps flag 1.
    EXPECT_EQ(value(OptionSlot::TRTOL), "7");
    EXPECT_EQ(isSet(OptionSlot::TRTOL), 1);
}

TEST_F(OptionsPageTest, AdvancedAnalogResetAndCancelLeaveNoTrace) {
    m_options.optionValues[slotIndex(OptionSlot::ITL5)] = "500";
    m_options.optionIsSet[slotIndex(OptionSlot::ITL5)] = 1;
    m_options.optionValues[slotIndex(OptionSlot::DIODERS)] = "1.0E-5";
    m_options.optionIsSet[slotIndex(OptionSlot::DIODERS)] = 1;
    m_options.STEPGMIN = 1;
    openPage();
    later([&] {
        click("Reset");
        EXPECT_EQ(text("Total Transient iteration limit (0=infinity):"), "0");
        EXPECT_FALSE(checked("Minimum Diode Rs value"));
        EXPECT_FALSE(checked("Use Gmin Stepping"));
        EXPECT_FALSE(enabled("Gmin Steps"));
        EXPECT_EQ(selected("Integration Method"), "Default");
        type("Relative magnitude for matrix pivot:", "2.0E-3");
    });
    later([&] { click("Cancel"); });
    click("Advanced Options...");
    EXPECT_FALSE(enabled("&Apply"));
    // The next opening shows what was there before.
    later([&] {
        EXPECT_EQ(text("Total Transient iteration limit (0=infinity):"), "500");
        EXPECT_EQ(text("Relative magnitude for matrix pivot:"), "1.0E-3");
        EXPECT_TRUE(checked("Minimum Diode Rs value"));
        EXPECT_TRUE(checked("Use Gmin Stepping"));
    });
    later([&] { click("Cancel"); });
    click("Advanced Options...");
    type("Relative accuracy of V's and I's:", "0.01");
    click("OK");
    EXPECT_EQ(value(OptionSlot::ITL5), "500");
    EXPECT_EQ(isSet(OptionSlot::ITL5), 1);
    EXPECT_EQ(value(OptionSlot::DIODERS), "1.0E-5");
    EXPECT_EQ(m_options.STEPGMIN, 1);
    EXPECT_EQ(value(OptionSlot::RELTOL), "0.01");
}

TEST_F(OptionsPageTest, ApplyingWithoutOpeningTheDialogsLeavesTheirFieldsAlone) {
    m_options.STEPGMIN = 1;
    m_options.TRANCONV = 1;
    m_options.optionValues[slotIndex(OptionSlot::GMINSTEPS)] = "5";
    m_options.optionValues[slotIndex(OptionSlot::DEFL)] = "2u";
    m_options.optionValues[slotIndex(OptionSlot::relaxedITL1)] = "300";
    m_options.optionIsSet[slotIndex(OptionSlot::relaxedITL1)] = 1;
    m_options.optionValues[slotIndex(OptionSlot::DIGDRVZ)] = "30K";
    openPage();
    type("Relative accuracy of V's and I's:", "0.002");
    click("OK");
    EXPECT_EQ(m_options.STEPGMIN, 1);
    EXPECT_EQ(m_options.TRANCONV, 1);
    EXPECT_EQ(value(OptionSlot::GMINSTEPS), "5");
    EXPECT_EQ(isSet(OptionSlot::GMINSTEPS), 0);
    EXPECT_EQ(value(OptionSlot::DEFL), "2u");
    EXPECT_EQ(isSet(OptionSlot::DEFL), 0);
    EXPECT_EQ(value(OptionSlot::relaxedITL1), "300");
    EXPECT_EQ(value(OptionSlot::DIGDRVZ), "30K");
    EXPECT_EQ(isSet(OptionSlot::DIGDRVZ), 0);
}

// ---- MOSFET Options -------------------------------------------------------------------------

TEST_F(OptionsPageTest, MosfetResetThenCancelLeavesTheProfileUnchanged) {
    m_options.optionValues[slotIndex(OptionSlot::DEFW)] = "50u";
    m_options.optionIsSet[slotIndex(OptionSlot::DEFW)] = 1;
    openPage();
    later([&] {
        EXPECT_EQ(text("Default width:"), "50u");
        click("Reset");
        EXPECT_EQ(text("Default width:"), "100.00u");
        EXPECT_EQ(text("Default drain area:"), "0.0");
    });
    later([&] { click("Cancel"); });
    click("MOSFET Options...");
    later([&] { EXPECT_EQ(text("Default width:"), "50u"); });
    later([&] { click("Cancel"); });
    click("MOSFET Options...");
    EXPECT_FALSE(enabled("&Apply"));
    type("Speed Level", "2");
    click("OK");
    EXPECT_EQ(value(OptionSlot::DEFW), "50u");
    EXPECT_EQ(isSet(OptionSlot::DEFW), 1);
}

TEST_F(OptionsPageTest, MosfetOkStoresByResetAndCompare) {
    m_options.optionValues[slotIndex(OptionSlot::DEFW)] = "50u";
    m_options.optionIsSet[slotIndex(OptionSlot::DEFW)] = 1;
    openPage();
    later([&] {
        type("Default width:", "100.00u");
        type("Default length:", "1u");
    });
    later([&] { click("OK"); });
    click("MOSFET Options...");
    EXPECT_TRUE(enabled("&Apply"));
    click("&Apply");
    EXPECT_EQ(value(OptionSlot::DEFW), "100.00u");
    EXPECT_EQ(isSet(OptionSlot::DEFW), 0);
    EXPECT_EQ(value(OptionSlot::DEFL), "1u");
    EXPECT_EQ(isSet(OptionSlot::DEFL), 1);
    // Saved once; a later Apply without opening it writes nothing of it again.
    m_options.optionValues[slotIndex(OptionSlot::DEFL)] = "host";
    type("Relative accuracy of V's and I's:", "0.01");
    click("&Apply");
    EXPECT_EQ(value(OptionSlot::DEFL), "host");
}

// ---- AutoConverge Options -----------------------------------------------------------------

TEST_F(OptionsPageTest, AutoConvergeSwitchesItsLimitsTogether) {
    openPage();
    later([&] {
        EXPECT_FALSE(checked("AutoConverge"));
        EXPECT_FALSE(enabled("ITL1"));
        EXPECT_FALSE(enabled("Restart"));
        EXPECT_TRUE(checked("Restart"));
        click("AutoConverge");
        for (const char* limit : {"ITL1", "ITL2", "ITL4", "RELTOL", "ABSTOL", "VNTOL", "PIVTOL"}) {
            EXPECT_TRUE(checked(limit)) << limit;
            EXPECT_TRUE(enabled(limit)) << limit;
        }
        EXPECT_TRUE(checked("Restart"));
        click("AutoConverge");
        EXPECT_FALSE(checked("PIVTOL"));
        EXPECT_FALSE(checked("Restart"));
        EXPECT_FALSE(enabled("PIVTOL"));
        click("AutoConverge");
        click("ITL2");
        typeInto(next("RELTOL"), "0.1");
        typeInto(next("ITL2"), "5000");
    });
    later([&] { click("OK"); });
    click("AutoConverge...");
    click("OK");
    EXPECT_EQ(m_options.autoConverge, 1);
    EXPECT_EQ(m_options.autoConvergeITL1, 1);
    EXPECT_EQ(m_options.autoConvergeITL2, 0);
    EXPECT_EQ(m_options.autoConvergeRestart, 1);
    EXPECT_EQ(value(OptionSlot::relaxedRELTOL), "0.1");
    EXPECT_EQ(isSet(OptionSlot::relaxedRELTOL), 1);
    // An unchecked limit goes back to its default, whatever was typed.
    EXPECT_EQ(value(OptionSlot::relaxedITL2), "1000");
    EXPECT_EQ(isSet(OptionSlot::relaxedITL2), 0);
    EXPECT_EQ(isSet(OptionSlot::relaxedITL1), 0);
}

TEST_F(OptionsPageTest, AutoConvergeSavedOffLeavesEveryLimitAtItsDefault) {
    m_options.autoConverge = 1;
    m_options.autoConvergeVNTOL = 1;
    m_options.optionValues[slotIndex(OptionSlot::relaxedVNTOL)] = ".01";
    m_options.optionIsSet[slotIndex(OptionSlot::relaxedVNTOL)] = 1;
    openPage();
    later([&] {
        EXPECT_TRUE(checked("AutoConverge"));
        EXPECT_TRUE(checked("VNTOL"));
        EXPECT_EQ(kvwin32::Robot::text(next("VNTOL")), ".01");
        click("AutoConverge");
    });
    later([&] { click("OK"); });
    click("AutoConverge...");
    click("OK");
    EXPECT_EQ(m_options.autoConverge, 0);
    EXPECT_EQ(value(OptionSlot::relaxedVNTOL), ".001");
    EXPECT_EQ(isSet(OptionSlot::relaxedVNTOL), 0);
    // While it is off, the per-limit switches keep what the record held.
    EXPECT_EQ(m_options.autoConvergeVNTOL, 1);
    EXPECT_EQ(m_options.autoConvergeRestart, 1);
}

TEST_F(OptionsPageTest, AutoConvergeResetFollowsTheSwitch) {
    m_options.autoConverge = 1;
    m_options.optionValues[slotIndex(OptionSlot::relaxedABSTOL)] = "1.0E-5";
    openPage();
    later([&] {
        click("Reset");
        EXPECT_EQ(kvwin32::Robot::text(next("ABSTOL")), "1.0E-6");
        EXPECT_EQ(kvwin32::Robot::text(next("ITL1")), "1000");
        EXPECT_TRUE(checked("ABSTOL"));
        EXPECT_TRUE(checked("Restart"));
    });
    later([&] { click("Cancel"); });
    click("AutoConverge...");
    click("OK");
    EXPECT_EQ(value(OptionSlot::relaxedABSTOL), "1.0E-5");
}

// ---- Advanced Gate-level Simulation Options ---------------------------------------------

TEST_F(OptionsPageTest, GateAdvancedStoresOnlyWhatOkConfirmed) {
    openPage();
    select("Category:", kGate);
    later([&] {
        EXPECT_EQ(activeCaption(), "Advanced Gate-level Simulation Options");
        EXPECT_EQ(text("Maximum output drive resistance:"), "20K");
        EXPECT_EQ(text("Overdrive ratio:"), "3.0");
        type("Maximum output drive resistance:", "1K");
    });
    later([&] { click("Cancel"); });
    click("Advanced Options...");
    EXPECT_FALSE(enabled("&Apply"));

    later([&] {
        type("Total error message limit (0=infinity):", "100");
        type("Overdrive ratio:", "3.0");
    });
    later([&] { click("OK"); });
    click("Advanced Options...");
    EXPECT_TRUE(enabled("&Apply"));
    click("OK");
    EXPECT_EQ(value(OptionSlot::DIGERRLIMIT), "100");
    EXPECT_EQ(isSet(OptionSlot::DIGERRLIMIT), 1);
    EXPECT_EQ(isSet(OptionSlot::DIGOVRDRV), 0);
    EXPECT_EQ(value(OptionSlot::DIGDRVZ), "20K");
}

// ---- Hiding the sheet --------------------------------------------------------------------

TEST_F(OptionsPageTest, HidingTheSheetCancelsAnOpenOptionsDialog) {
    openPage();
    later([&] { type("Default width:", "7u"); });
    later([&] { DllShowModelessDialog(m_sheet, SETTINGS_SHOW_HIDE); });
    click("MOSFET Options...");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
    EXPECT_NE(activeCaption(), "MOSFET Options");
    DllShowModelessDialog(m_sheet, SETTINGS_SHOW_NORMAL);
    pump();
    clickTab("Options");
    later([&] { EXPECT_EQ(text("Default width:"), "100.00u"); });
    later([&] { click("Cancel"); });
    click("MOSFET Options...");
    click("OK");
    EXPECT_EQ(value(OptionSlot::DEFW), "100.00u");
    EXPECT_EQ(isSet(OptionSlot::DEFW), 0);
}

// ---- Without an options record -----------------------------------------------------------

// The dialogs show the built-in defaults (AutoConverge its empty limits); with no record to go
// back to, their Reset empties the texts, and nothing is written.
TEST_F(OptionsPageTest, WithoutARecordTheDialogsResetToEmptyTexts) {
    m_profile.options = nullptr;
    openPage();
    later([&] {
        EXPECT_EQ(text("Default length:"), "100.00u");
        click("Reset");
        EXPECT_EQ(text("Default length:"), "");
        EXPECT_EQ(text("Default drain area:"), "");
    });
    later([&] { click("OK"); });
    click("MOSFET Options...");
    later([&] {
        EXPECT_EQ(text("Total Transient iteration limit (0=infinity):"), "0");
        click("Use Gmin Stepping");
        click("Reset");
        EXPECT_EQ(text("Total Transient iteration limit (0=infinity):"), "");
        EXPECT_EQ(text("Relative Time step Tolerance"), "");
        EXPECT_EQ(selected("Simulation algorithm:"), "default");
        EXPECT_FALSE(checked("Use Gmin Stepping"));
    });
    later([&] { click("OK"); });
    click("Advanced Options...");
    later([&] {
        EXPECT_EQ(kvwin32::Robot::text(next("ITL1")), "");
        click("AutoConverge");
        click("Reset");
        EXPECT_FALSE(checked("ITL1"));
        EXPECT_TRUE(checked("Restart"));
        EXPECT_EQ(kvwin32::Robot::text(next("PIVTOL")), "");
    });
    later([&] { click("OK"); });
    click("AutoConverge...");
    select("Category:", kGate);
    later([&] {
        EXPECT_EQ(text("Minimum output drive resistance:"), "2.0");
        click("Reset");
        EXPECT_EQ(text("Minimum output drive resistance:"), "");
    });
    later([&] { click("OK"); });
    click("Advanced Options...");
    click("OK");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
    EXPECT_EQ(m_profile.options, nullptr);
}

}  // namespace
