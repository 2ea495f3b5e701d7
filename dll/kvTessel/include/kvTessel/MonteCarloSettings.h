// The profile's Monte Carlo and worst-case sub-record, owned by the Monte Carlo child dialog of
// the Analysis page and its three modal dialogs (collating function, distributions, parameter
// files). Counts and values are text as the user typed them; the dialog checks a few of them.
#pragma once

#include <cstdint>
#include <vector>

#include "vnt/vnt_string.h"

// Which of the two analyses runs (MonteCarloSettings::mode).
enum class MonteCarloMode : std::int32_t {
    monteCarlo = 0,  // "Monte Carlo"
    worstCase = 1,   // "Worst-case/Sensitivity"
};

// The collating function applied to the output variable (MonteCarloSettings::collatingFunction).
enum class CollatingFunction : std::int32_t {
    yMax = 0,      // YMAX
    maximum = 1,   // MAX
    minimum = 2,   // MIN
    riseEdge = 3,  // RISE_EDGE (uses threshold)
    fallEdge = 4,  // FALL_EDGE (uses threshold)
};

// Which runs keep their data (MonteCarloSettings::saveDataMode).
enum class McSaveDataMode : std::int32_t {
    none = 0,      // "<none>"
    all = 1,       // "All"
    first = 2,     // "First"
    every = 3,     // "Every"
    runsList = 4,  // "Runs (list)": the runs named in runsList
};

// Which device tolerances vary (MonteCarloSettings::varyDevices).
enum class VaryDevices : std::int32_t {
    devAndLot = 0,  // "both DEV and LOT"
    devOnly = 1,    // "only DEV"
    lotOnly = 2,    // "only LOT"
};

// Monte Carlo and worst-case/sensitivity settings.
struct MonteCarloSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the option is checked in the Analysis page list.
    std::int32_t enabled = 0;
    // Copy of the profile's analysisType (AnalysisType), kept equal at Apply.
    std::int32_t analysisType = 0;
    // MonteCarloMode: 0 Monte Carlo, 1 worst case/sensitivity.
    std::int32_t mode = 0;
    // 1: list model parameter values in the output file for each run.
    std::int32_t listModelParams = 0;
    // CollatingFunction: 0 YMAX ... 4 FALL_EDGE.
    std::int32_t collatingFunction = 0;
    // The digit 1 to 9 shown beside "GaussUser".
    std::int32_t gaussUserParam = 0;
    // McSaveDataMode: 0 "<none>" ... 4 "Runs (list)".
    std::int32_t saveDataMode = 0;
    // 0 "Uniform", 1 "Gaussian", 2 "GaussUser", 3 and up the user distributions in list order.
    std::int32_t distributionIndex = 0;
    // User distributions as consecutive pairs: name, curve text.
    std::vector<vnt_string> distributions;
    // VaryDevices: 0 DEV and LOT, 1 only DEV, 2 only LOT.
    std::int32_t varyDevices = 0;
    // 0 high, 1 low.
    std::int32_t worstCaseDirection = 0;
    // 1: save data from each sensitivity run.
    std::int32_t saveSensitivityRuns = 0;
    // 1: "Enable Ventra ZR support for legacy".
    std::int32_t legacySupport = 0;
    // 1: load parameter values from loadParamFile.
    std::int32_t loadParams = 0;
    // 1: save parameter values in saveParamFile.
    std::int32_t saveParams = 0;
    // Parameter file to load (*.mcp).
    vnt_string loadParamFile;
    // Parameter file to save (*.mcp).
    vnt_string saveParamFile;
    // Number of Monte Carlo runs, decimal text.
    vnt_string numberOfRuns;
    // Count or list of runs whose data is saved.
    vnt_string runsList;
    // Random number seed, 1 to 32767.
    vnt_string randomSeed;
    // Device types to vary.
    vnt_string deviceTypes;
    // Output variable.
    vnt_string outputVariable;
    // Lower end of the sweep range of the collating function.
    vnt_string rangeFrom;
    // Upper end of that range.
    vnt_string rangeTo;
    // Threshold of RISE_EDGE and FALL_EDGE.
    vnt_string threshold;
};
