// A record that a host creates with plain `new T` (default-initialisation) starts at the zero
// value: flags and codes 0, pointers null. Each record is built in storage filled with a
// non-zero pattern first, so a member without an initialiser shows up as garbage.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <new>
#include <tuple>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "kvTessel/SimProfile.h"

namespace {

template <class V>
bool isZero(const V& value) {
    if constexpr (std::is_pointer_v<V> || std::is_arithmetic_v<V>) {
        return value == V{};
    } else if constexpr (requires { std::tuple_size<V>::value; }) {
        // A fixed array (the option is-set flags): every element zero.
        return std::all_of(value.begin(), value.end(), [](const auto& e) { return e == 0; });
    } else {
        // A text or a list: empty.
        return value.empty();
    }
}

// One member to check: its name for the failure message and a test on the live object.
struct Probe {
    const char* name;
    std::function<bool(const void*)> isZero;
};

#define ZERO(T, m)                                                                    \
    Probe {                                                                           \
#T "::" #m, [](const void* o) { return isZero(static_cast<const T*>(o)->m); } \
    }

// Default-initialises a T over a 0xAB pattern and runs every probe on it.
template <class T>
void expectZeroDefaults(const std::vector<Probe>& probes) {
    alignas(T) unsigned char storage[sizeof(T)];
    // Volatile stores: the pattern must really be in memory when T's constructor runs.
    volatile unsigned char* bytes = storage;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = 0xAB;
    }
    T* record = new (storage) T;
    for (const Probe& probe : probes) {
        EXPECT_TRUE(probe.isZero(record)) << probe.name << " is not zero after default-init";
    }
    record->~T();
}

TEST(RecordDefaults, ProfilePointersAndCodesStartZero) {
    expectZeroDefaults<SimProfile>({
        ZERO(SimProfile, hostReserved1),    ZERO(SimProfile, transient),
        ZERO(SimProfile, acSweep),          ZERO(SimProfile, dcPrimarySweep),
        ZERO(SimProfile, dcSecondarySweep), ZERO(SimProfile, parametricSweep),
        ZERO(SimProfile, biasPoint),        ZERO(SimProfile, temperature),
        ZERO(SimProfile, loadBias),         ZERO(SimProfile, checkpoint),
        ZERO(SimProfile, restart),          ZERO(SimProfile, transientSaveBias),
        ZERO(SimProfile, dcSaveBias),       ZERO(SimProfile, monteCarlo),
        ZERO(SimProfile, hostReserved2),    ZERO(SimProfile, general),
        ZERO(SimProfile, fileConfig),       ZERO(SimProfile, options),
        ZERO(SimProfile, dataCollection),   ZERO(SimProfile, probeWindow),
        ZERO(SimProfile, measurements),     ZERO(SimProfile, profileDir),
        ZERO(SimProfile, analysisType),     ZERO(SimProfile, activePage),
        ZERO(SimProfile, designSource),
    });
}

TEST(RecordDefaults, PageRecordsStartZero) {
    expectZeroDefaults<GeneralSettings>(
        {ZERO(GeneralSettings, hostReserved1), ZERO(GeneralSettings, inputEditable),
         ZERO(GeneralSettings, circuitMode), ZERO(GeneralSettings, profileName)});
    expectZeroDefaults<FileConfigSettings>(
        {ZERO(FileConfigSettings, changed), ZERO(FileConfigSettings, globalLibraries)});
    expectZeroDefaults<DataCollectionSettings>({ZERO(DataCollectionSettings, collectMask),
                                                ZERO(DataCollectionSettings, saveCsdf),
                                                ZERO(DataCollectionSettings, probeDataWidth)});
    expectZeroDefaults<ProbeWindowSettings>(
        {ZERO(ProbeWindowSettings, displayOnOpen), ZERO(ProbeWindowSettings, displayOnRun),
         ZERO(ProbeWindowSettings, displayWhen), ZERO(ProbeWindowSettings, showOnDisplay)});
    expectZeroDefaults<MeasurementSettings>(
        {ZERO(MeasurementSettings, showVoltages), ZERO(MeasurementSettings, showCurrents),
         ZERO(MeasurementSettings, showPower), ZERO(MeasurementSettings, displayAfterRun),
         ZERO(MeasurementSettings, changed), ZERO(MeasurementSettings, measureList)});
    expectZeroDefaults<OutputVariable>({ZERO(OutputVariable, listed)});
}

TEST(RecordDefaults, OptionSwitchesAndFlagsStartZero) {
    expectZeroDefaults<OptionSettings>({
        ZERO(OptionSettings, hostReserved1),
        ZERO(OptionSettings, hostReserved2),
        ZERO(OptionSettings, ACCT),
        ZERO(OptionSettings, EXPAND),
        ZERO(OptionSettings, LIBRARY),
        ZERO(OptionSettings, LIST),
        ZERO(OptionSettings, NOBIAS),
        ZERO(OptionSettings, NODE),
        ZERO(OptionSettings, NOECHO),
        ZERO(OptionSettings, noIndexUpdate),
        ZERO(OptionSettings, NOMOD),
        ZERO(OptionSettings, NOOUTMSG),
        ZERO(OptionSettings, NOPAGE),
        ZERO(OptionSettings, suppressWaveformErrors),
        ZERO(OptionSettings, reservedSwitch),
        ZERO(OptionSettings, OPTS),
        ZERO(OptionSettings, STEPGMIN),
        ZERO(OptionSettings, PREORDER),
        ZERO(OptionSettings, NOGMINI),
        ZERO(OptionSettings, NOSTEPDEP),
        ZERO(OptionSettings, ADVCONV),
        ZERO(OptionSettings, GMINSRC),
        ZERO(OptionSettings, PSEUDOTRAN),
        ZERO(OptionSettings, BRKDEPSRC),
        ZERO(OptionSettings, NOSTEPSRC),
        ZERO(OptionSettings, CONVAID),
        ZERO(OptionSettings, TRANCONV),
        ZERO(OptionSettings, autoConverge),
        ZERO(OptionSettings, autoConvergeITL1),
        ZERO(OptionSettings, autoConvergeITL2),
        ZERO(OptionSettings, autoConvergeITL4),
        ZERO(OptionSettings, autoConvergeRELTOL),
        ZERO(OptionSettings, autoConvergeABSTOL),
        ZERO(OptionSettings, autoConvergeVNTOL),
        ZERO(OptionSettings, autoConvergePIVTOL),
        ZERO(OptionSettings, autoConvergeRestart),
        ZERO(OptionSettings, optionIsSet),
    });
}

TEST(RecordDefaults, AnalysisRecordsStartZero) {
    expectZeroDefaults<TransientSettings>(
        {ZERO(TransientSettings, hostReserved1), ZERO(TransientSettings, enabled),
         ZERO(TransientSettings, skipBiasPoint), ZERO(TransientSettings, fourierEnabled),
         ZERO(TransientSettings, detailedBias), ZERO(TransientSettings, resumeMode)});
    expectZeroDefaults<TranSaveBiasSettings>(
        {ZERO(TranSaveBiasSettings, hostReserved1), ZERO(TranSaveBiasSettings, enabled),
         ZERO(TranSaveBiasSettings, saveMode), ZERO(TranSaveBiasSettings, noSubcircuits)});
    expectZeroDefaults<SweepSettings>({ZERO(SweepSettings, hostReserved1),
                                       ZERO(SweepSettings, enabled), ZERO(SweepSettings, sweepType),
                                       ZERO(SweepSettings, variableKind)});
    expectZeroDefaults<AcSweepSettings>(
        {ZERO(AcSweepSettings, hostReserved1), ZERO(AcSweepSettings, enabled),
         ZERO(AcSweepSettings, sweepType), ZERO(AcSweepSettings, noiseEnabled),
         ZERO(AcSweepSettings, detailedBias)});
    expectZeroDefaults<BiasPointSettings>(
        {ZERO(BiasPointSettings, hostReserved1), ZERO(BiasPointSettings, enabled),
         ZERO(BiasPointSettings, detailedBias), ZERO(BiasPointSettings, sensEnabled),
         ZERO(BiasPointSettings, tfEnabled)});
    expectZeroDefaults<MonteCarloSettings>({
        ZERO(MonteCarloSettings, hostReserved1),
        ZERO(MonteCarloSettings, enabled),
        ZERO(MonteCarloSettings, analysisType),
        ZERO(MonteCarloSettings, mode),
        ZERO(MonteCarloSettings, listModelParams),
        ZERO(MonteCarloSettings, collatingFunction),
        ZERO(MonteCarloSettings, gaussUserParam),
        ZERO(MonteCarloSettings, saveDataMode),
        ZERO(MonteCarloSettings, distributionIndex),
        ZERO(MonteCarloSettings, varyDevices),
        ZERO(MonteCarloSettings, worstCaseDirection),
        ZERO(MonteCarloSettings, saveSensitivityRuns),
        ZERO(MonteCarloSettings, legacySupport),
        ZERO(MonteCarloSettings, loadParams),
        ZERO(MonteCarloSettings, saveParams),
    });
    expectZeroDefaults<TemperatureSettings>({ZERO(TemperatureSettings, hostReserved1),
                                             ZERO(TemperatureSettings, enabled),
                                             ZERO(TemperatureSettings, singleTemperature)});
    expectZeroDefaults<LoadBiasSettings>(
        {ZERO(LoadBiasSettings, hostReserved1), ZERO(LoadBiasSettings, enabled)});
    expectZeroDefaults<DcSaveBiasSettings>({ZERO(DcSaveBiasSettings, hostReserved1),
                                            ZERO(DcSaveBiasSettings, enabled),
                                            ZERO(DcSaveBiasSettings, noSubcircuits)});
    expectZeroDefaults<CheckpointSettings>(
        {ZERO(CheckpointSettings, hostReserved1), ZERO(CheckpointSettings, enabled),
         ZERO(CheckpointSettings, selectedEntry), ZERO(CheckpointSettings, timePointMode),
         ZERO(CheckpointSettings, entries)});
    expectZeroDefaults<RestartSettings>(
        {ZERO(RestartSettings, hostReserved1), ZERO(RestartSettings, enabled),
         ZERO(RestartSettings, selectedEntry), ZERO(RestartSettings, restartPointIndex),
         ZERO(RestartSettings, restartAtMode), ZERO(RestartSettings, saveOriginalDat),
         ZERO(RestartSettings, entries)});
}

}  // namespace
