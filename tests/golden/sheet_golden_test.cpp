// Golden images of the settings sheet: every page, as a person sees it when the sheet opens on
// an example profile and the page's tab is clicked, painted by the window system and compared
// pixel by pixel with its reference in images/. See README.md for adding a page.
#include <gtest/gtest.h>
#include <sched.h>

#include <functional>
#include <ostream>
#include <string>

#include "GoldenImage.h"
#include "SheetFixture.h"
#include "entry/SimPropertySheet.h"
#include "kvTessel/CheckPoint.h"
#include "kvTessel/MeasurementSettings.h"
#include "kvwin32/render.h"
#include "kvwin32/robot.h"

namespace {

// The Options page's analog panel names the processor count of the machine; the pictures are
// taken with the process on one processor, so that they are the same on every machine.
const bool kOnOneProcessor = [] {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) != 0) {
        return false;
    }
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &set)) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(cpu, &one);
            return sched_setaffinity(0, sizeof(one), &one) == 0;
        }
    }
    return false;
}();

class SheetGolden;

struct GoldenCase {
    const char* name;                        // the reference is images/NAME.png
    const char* tab;                         // the tab clicked before the picture; "" for none
    std::function<void(SheetGolden&)> edit;  // changes made first (profile, typing); may be empty
    std::function<void(SheetGolden&)> act = {};  // what the person does on the page; may be empty
};

// Test names and failures show the picture's name.
void PrintTo(const GoldenCase& c, std::ostream* os) {
    *os << c.name;
}

class SheetGolden : public kvtest::SheetFixture, public ::testing::WithParamInterface<GoldenCase> {
  public:
    GeneralSettings& general() { return m_general; }
    SimProfile& profile() { return m_profile; }
    kvtest::TempDir& dir() { return m_dir; }
    using SheetFixture::click;
    using SheetFixture::pump;
    using SheetFixture::select;
    using SheetFixture::type;
    CSimPropertySheet* sheet() { return m_sheet; }
};

// The Measurements page, which the sheet builds without a tab: added to the open sheet and
// made active, on a design with variables of the three kinds.
void withMeasurements(SheetGolden& t) {
    static MeasurementSettings measurements;
    measurements = MeasurementSettings();
    for (const char* name : {"V(out)", "V(in)", "V(X_U1.inv)", "V(bias)"}) {
        measurements.voltageVars.push_back({name, 0});
    }
    for (const char* name : {"I(R1)", "I(V1)", "I(X_U1.Q3)"}) {
        measurements.currentVars.push_back({name, 0});
    }
    measurements.powerVars.push_back({"W(R1)", 0});
    measurements.measureList = {MeasData("Max(V(out))", true, 0)};
    t.profile().measurements = &measurements;
}

void showMeasurements(SheetGolden& t) {
    t.sheet()->AddPage(&t.sheet()->m_measurementPage);
    ASSERT_TRUE(t.sheet()->SetActivePage(&t.sheet()->m_measurementPage));
    t.pump();
}

// The Analysis page with one analysis type chosen and one of its options shown.
std::function<void(SheetGolden&)> showOption(const char* type, const char* option) {
    return [type, option](SheetGolden& t) {
        t.select("Analysis type:", type);
        t.select("Options:", option);
    };
}

// The Configuration Files page on a profile with a file of each scope in its libraries and an
// include file, showing one category as a person picks it (the list has no label: by its id).
std::function<void(SheetGolden&)> withFileConfig() {
    return [](SheetGolden& t) {
        static FileConfigSettings files;
        files = FileConfigSettings();
        files.libraryPath = "\"D:\\proj\\lib\";\"D:\\shared\\models\"";
        files.profileLibraries = {".\\tuned.lib"};
        files.designLibraries = {".\\lib\\opamp.lib", "..\\shared\\diodes.lib"};
        files.globalLibraries = {"D:\\shared\\models\\standard.lib*"};
        files.designIncludes = {".\\params.inc"};
        t.profile().fileConfig = &files;
    };
}
std::function<void(SheetGolden&)> showFiles(const char* category, const char* row) {
    return [category, row](SheetGolden& t) {
        kvwin32::Robot robot;
        EXPECT_TRUE(
            robot.select(kvwin32::ControlQuery::byId(1200), kvwin32::ItemQuery::named(category))
                .ok());
        if (*row != '\0') {
            t.select("Confi&gured Files", row);
        }
    };
}

// The checkpoint and restart options on folders of the profile's folder, D:\proj\profiles\p1:
// three checkpoint folders, the second selected with its settings; a restart folder whose
// state_map offers three simulation times.
std::function<void(SheetGolden&)> withCheckpoints() {
    return [](SheetGolden& t) {
        static CCheckPointReader fast("fast", "1u", "", "");
        static CCheckPointReader slow("slow runs", "", "60", "1m 2m");
        static CCheckPointReader deep("D:\\proj\\runs\\deep", "5u", "", "");
        static CCheckPointReader run1("run1", "", "", "");
        static CheckpointSettings checkpoint;
        static RestartSettings restart;
        for (const char* folder :
             {"proj/profiles/p1/fast", "proj/profiles/p1/slow runs", "proj/runs/deep"}) {
            t.dir().mkdir(folder);
        }
        t.dir().write("proj/profiles/p1/run1/state_map",
                      "SINT s1 1.0m\nSINT s2 2.0m\nTP t1 2.5m\nRINT r1 0 30\n");
        checkpoint = CheckpointSettings();
        checkpoint.enabled = 1;
        checkpoint.selectedEntry = 1;
        checkpoint.timePointMode = 1;
        checkpoint.entries = {&fast, &slow, &deep};
        restart = RestartSettings();
        restart.enabled = 1;
        restart.restartPointIndex = 1;
        restart.saveOriginalDat = true;
        restart.entries = {&run1};
        ISyncCkptReStart::chkptSimEntry.clear();
        t.profile().checkpoint = &checkpoint;
        t.profile().restart = &restart;
    };
}

// One line a picture. A case that edits the profile does so before the sheet opens.
const GoldenCase kCases[] = {
    {"sheet_general_circuit", "", nullptr},
    {"sheet_general_schematic", "",
     [](SheetGolden& t) {
         t.general().circuitMode = 0;
         t.general().projectName = "D:\\proj\\filter.opj";
         t.general().designFile = "D:\\proj\\filter.dsn";
         t.general().schematicName = "SCHEMATIC1";
     }},
    {"sheet_general_read_only", "", [](SheetGolden& t) { t.general().inputEditable = 0; }},
    {"sheet_analysis", "Analysis ", nullptr},
    {"analysis_parametric_sweep", "Analysis ", nullptr,
     showOption("Time Domain (Transient)", "Parametric Sweep")},
    {"analysis_temperature", "Analysis ", nullptr,
     showOption("Time Domain (Transient)", "Temperature (Sweep)")},
    {"analysis_transient_save_bias", "Analysis ", nullptr,
     showOption("Time Domain (Transient)", "Save Bias Point")},
    {"analysis_load_bias", "Analysis ", nullptr,
     showOption("Time Domain (Transient)", "Load Bias Point")},
    {"analysis_dc_primary_sweep", "Analysis ", nullptr, showOption("DC Sweep", "Primary Sweep")},
    {"analysis_dc_secondary_sweep", "Analysis ", nullptr,
     showOption("DC Sweep", "Secondary Sweep")},
    {"analysis_dc_save_bias", "Analysis ", nullptr, showOption("DC Sweep", "Save Bias Point")},
    {"analysis_ac_sweep", "Analysis ", nullptr, showOption("AC Sweep/Noise", "General Settings")},
    {"analysis_bias_point", "Analysis ", nullptr, showOption("Bias Point", "General Settings")},
    {"sheet_configuration_files", "Configuration Files", nullptr},
    {"files_library", "Configuration Files", withFileConfig(),
     showFiles("Library", ".\\lib\\opamp.lib")},
    {"files_include", "Configuration Files", withFileConfig(), showFiles("Include", "")},
    {"sheet_options", "Options", nullptr},
    {"options_gate", "Options", nullptr,
     [](SheetGolden& t) { t.select("Category:", "Gate-level Simulation"); }},
    {"options_output_file", "Options", nullptr,
     [](SheetGolden& t) { t.select("Category:", "Output file"); }},
    {"sheet_data_collection", "Data Collection ", nullptr},
    {"sheet_probe_window", "Vavir Window", nullptr},
    {"sheet_measurements", "", withMeasurements, showMeasurements},
    {"analysis_monte_carlo", "Analysis ", nullptr,
     showOption("Time Domain (Transient)", "Monte Carlo/Worst Case")},
    {"analysis_worst_case", "Analysis ", nullptr,
     [](SheetGolden& t) {
         showOption("DC Sweep", "Monte Carlo/Worst Case")(t);
         t.click("Worst-case/Sensitivity");
     }},
    {"analysis_checkpoint", "Analysis ", withCheckpoints(),
     showOption("Time Domain (Transient)", "Save Check Points")},
    {"analysis_restart", "Analysis ", withCheckpoints(),
     showOption("Time Domain (Transient)", "Restart Simulation")},
};

TEST_P(SheetGolden, LooksAsItsReference) {
    ASSERT_TRUE(kOnOneProcessor);
    ASSERT_FALSE(kvwin32::dialogFontFile().empty())
        << "the dialog font could not be read; scripts/deps installs its package";
    const GoldenCase& c = GetParam();
    if (c.edit) {
        c.edit(*this);
    }
    openModeless();
    if (*c.tab != '\0') {
        clickTab(c.tab);
    }
    if (c.act) {
        c.act(*this);
    }
    const HWND sheet = sheetWindow();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(kvtest::matchesGolden(c.name, kvwin32::renderWindow(sheet)));
}

INSTANTIATE_TEST_SUITE_P(Pages, SheetGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return std::string(info.param.name);
                         });

// ---- Modal dialogs opened from a page ----------------------------------------------------

struct ModalCase {
    const char* name;      // the reference is images/NAME.png
    const char* tab;       // the tab clicked first
    const char* category;  // an item chosen in the page's "Category:" list first; "" for none
    const char* button;    // the button that opens the dialog
};

void PrintTo(const ModalCase& c, std::ostream* os) {
    *os << c.name;
}

class ModalGolden : public kvtest::SheetFixture, public ::testing::WithParamInterface<ModalCase> {};

const ModalCase kModalCases[] = {
    {"options_advanced_analog", "Options", "", "Advanced Options..."},
    {"options_mosfet", "Options", "", "MOSFET Options..."},
    {"options_autoconverge", "Options", "", "AutoConverge..."},
    {"options_advanced_gate", "Options", "Gate-level Simulation", "Advanced Options..."},
};

// The picture is taken while the dialog waits for its first input, as a person first sees it;
// then the dialog is cancelled.
TEST_P(ModalGolden, LooksAsItsReference) {
    ASSERT_FALSE(kvwin32::dialogFontFile().empty())
        << "the dialog font could not be read; scripts/deps installs its package";
    const ModalCase& c = GetParam();
    openModeless();
    clickTab(c.tab);
    if (*c.category != '\0') {
        select("Category:", c.category);
    }
    kvwin32::PixelImage picture;
    HWND dialog = nullptr;
    m_desktop->queueAction([&] {
        dialog = kvwin32::topmostModalDialog();
        if (dialog != nullptr) {
            picture = kvwin32::renderWindow(dialog);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    click(c.button);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(kvtest::matchesGolden(c.name, picture));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ModalGolden, ::testing::ValuesIn(kModalCases),
                         [](const ::testing::TestParamInfo<ModalCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
