// The simulation profile a host hands to the settings library: the description of one
// simulation run of one design. This header also brings in every sub-record, so a host that
// includes it can build a complete profile.
//
// The host builds the profile and every sub-record, keeps them alive while a sheet built on
// the profile exists, and frees them itself. The library only reads members when a page
// initialises and writes them when a page applies; it never creates, copies, frees or stores a
// profile. That is why the sub-records are held by raw, non-owning pointers: ownership stays
// with the host, and a null pointer means the profile has no such sub-record.
#pragma once

#include <cstdint>

#include "kvTessel/AcSweepSettings.h"
#include "kvTessel/AnalysisType.h"
#include "kvTessel/CheckPoint.h"
#include "kvTessel/DataCollectionSettings.h"
#include "kvTessel/FileConfigSettings.h"
#include "kvTessel/GeneralSettings.h"
#include "kvTessel/MeasurementSettings.h"
#include "kvTessel/MonteCarloSettings.h"
#include "kvTessel/OptionSettings.h"
#include "kvTessel/ProbeWindowSettings.h"
#include "kvTessel/RestartSettings.h"
#include "kvTessel/SweepSettings.h"
#include "kvTessel/TemperatureSettings.h"
#include "kvTessel/TransientSettings.h"
#include "vnt/vnt_string.h"

// A simulation profile. Members are in the order hosts lay them out; the host members are
// placeholders of the right size that the library never reads or writes. Hosts pass a profile
// whose `general` is not null: the sheet takes its title and first page from it.
struct SimProfile {
    // Host member (pointer-sized).
    void* hostReserved1 = nullptr;
    // Transient analysis.
    TransientSettings* transient = nullptr;
    // AC sweep and noise.
    AcSweepSettings* acSweep = nullptr;
    // Primary DC sweep.
    SweepSettings* dcPrimarySweep = nullptr;
    // Secondary (nested) DC sweep.
    SweepSettings* dcSecondarySweep = nullptr;
    // Parametric sweep.
    SweepSettings* parametricSweep = nullptr;
    // Bias point analysis.
    BiasPointSettings* biasPoint = nullptr;
    // Temperature or temperature sweep.
    TemperatureSettings* temperature = nullptr;
    // Load bias point.
    LoadBiasSettings* loadBias = nullptr;
    // Save check points.
    CheckpointSettings* checkpoint = nullptr;
    // Restart a simulation from a check point.
    RestartSettings* restart = nullptr;
    // Save bias point during a transient analysis.
    TranSaveBiasSettings* transientSaveBias = nullptr;
    // Save bias point for the other analyses.
    DcSaveBiasSettings* dcSaveBias = nullptr;
    // Monte Carlo and worst case.
    MonteCarloSettings* monteCarlo = nullptr;
    // Host member (pointer-sized).
    void* hostReserved2 = nullptr;
    // Profile name, input and output files, notes.
    GeneralSettings* general = nullptr;
    // Library path; stimulus, library and include files.
    FileConfigSettings* fileConfig = nullptr;
    // Simulator options.
    OptionSettings* options = nullptr;
    // Which quantities are saved, data format.
    DataCollectionSettings* dataCollection = nullptr;
    // When the waveform viewer opens and what it shows.
    ProbeWindowSettings* probeWindow = nullptr;
    // Measurement expressions evaluated after the run.
    MeasurementSettings* measurements = nullptr;
    // Folder of the profile, no trailing separator: base of relative names, first folder of file
    // dialogs.
    vnt_string profileDir;
    // Host member (string-sized).
    vnt_string hostReserved3;
    // AnalysisType: 0 transient, 1 DC sweep, 2 AC sweep and noise, 3 bias point.
    std::int32_t analysisType = 0;
    // SettingsPage to open first; used only when general has a designFile and a profileName.
    std::int32_t activePage = 0;
    // DesignSource: 0 Drafter schematic editor, 1 Diagram design-entry tool.
    std::int32_t designSource = 0;
};

// Where the profile's design comes from (SimProfile::designSource).
enum class DesignSource : std::int32_t {
    drafter = 0,  // the Drafter schematic editor
    diagram = 1,  // the Diagram design-entry tool
};

// Pages of the settings sheet by index (SimProfile::activePage, DllGetActivePage,
// DllSetActivePage).
enum class SettingsPage : std::int16_t {
    general = 0,             // "General"
    analysis = 1,            // "Analysis "
    configurationFiles = 2,  // "Configuration Files"
    options = 3,             // "Options"
    dataCollection = 4,      // "Data Collection "
    probeWindow = 5,         // "Vavir Window"
};
