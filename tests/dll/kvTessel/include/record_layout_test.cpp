// The profile records keep the member order hosts lay them out in: every record is checked
// member by member (nothing missing, nothing added, nothing moved), host placeholders have the
// size of what they stand for, and the polymorphic file-configuration record keeps its fields
// right after its virtual-table pointer.
#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "LayoutCheck.h"
#include "kvTessel/SimProfile.h"

#define M(T, m) KV_MEMBER(T, m)

KV_ASSERT_LAYOUT(SimProfile, M(SimProfile, hostReserved1), M(SimProfile, transient),
                 M(SimProfile, acSweep), M(SimProfile, dcPrimarySweep),
                 M(SimProfile, dcSecondarySweep), M(SimProfile, parametricSweep),
                 M(SimProfile, biasPoint), M(SimProfile, temperature), M(SimProfile, loadBias),
                 M(SimProfile, checkpoint), M(SimProfile, restart),
                 M(SimProfile, transientSaveBias), M(SimProfile, dcSaveBias),
                 M(SimProfile, monteCarlo), M(SimProfile, hostReserved2), M(SimProfile, general),
                 M(SimProfile, fileConfig), M(SimProfile, options), M(SimProfile, dataCollection),
                 M(SimProfile, probeWindow), M(SimProfile, measurements), M(SimProfile, profileDir),
                 M(SimProfile, hostReserved3), M(SimProfile, analysisType),
                 M(SimProfile, activePage), M(SimProfile, designSource));

KV_ASSERT_LAYOUT(GeneralSettings, M(GeneralSettings, hostReserved1),
                 M(GeneralSettings, inputEditable), M(GeneralSettings, profileName),
                 M(GeneralSettings, circuitMode), M(GeneralSettings, designFile),
                 M(GeneralSettings, projectName), M(GeneralSettings, schematicName),
                 M(GeneralSettings, hostReserved2), M(GeneralSettings, waveformFile),
                 M(GeneralSettings, outputFile), M(GeneralSettings, notes));

KV_ASSERT_LAYOUT(TransientSettings, M(TransientSettings, hostReserved1),
                 M(TransientSettings, enabled), M(TransientSettings, skipBiasPoint),
                 M(TransientSettings, fourierEnabled), M(TransientSettings, detailedBias),
                 M(TransientSettings, resumeMode), M(TransientSettings, runToTime),
                 M(TransientSettings, printStep), M(TransientSettings, startSaving),
                 M(TransientSettings, maxStep), M(TransientSettings, fourierCenterFreq),
                 M(TransientSettings, fourierOutputVars), M(TransientSettings, fourierHarmonics));

KV_ASSERT_LAYOUT(TranSaveBiasSettings, M(TranSaveBiasSettings, hostReserved1),
                 M(TranSaveBiasSettings, enabled), M(TranSaveBiasSettings, saveMode),
                 M(TranSaveBiasSettings, noSubcircuits), M(TranSaveBiasSettings, onceAtTime),
                 M(TranSaveBiasSettings, repeatEvery), M(TranSaveBiasSettings, fileName),
                 M(TranSaveBiasSettings, mcRunNumber), M(TranSaveBiasSettings, parametricValue),
                 M(TranSaveBiasSettings, temperatureValue));

KV_ASSERT_LAYOUT(SweepSettings, M(SweepSettings, hostReserved1), M(SweepSettings, enabled),
                 M(SweepSettings, sweepType), M(SweepSettings, variableKind),
                 M(SweepSettings, sourceName), M(SweepSettings, paramName),
                 M(SweepSettings, modelName), M(SweepSettings, modelType),
                 M(SweepSettings, startValue), M(SweepSettings, endValue),
                 M(SweepSettings, increment), M(SweepSettings, valueList));

KV_ASSERT_LAYOUT(AcSweepSettings, M(AcSweepSettings, hostReserved1), M(AcSweepSettings, enabled),
                 M(AcSweepSettings, sweepType), M(AcSweepSettings, noiseEnabled),
                 M(AcSweepSettings, detailedBias), M(AcSweepSettings, totalPoints),
                 M(AcSweepSettings, startFreq), M(AcSweepSettings, endFreq),
                 M(AcSweepSettings, noiseOutputVoltage), M(AcSweepSettings, noiseSource),
                 M(AcSweepSettings, noiseInterval));

KV_ASSERT_LAYOUT(BiasPointSettings, M(BiasPointSettings, hostReserved1),
                 M(BiasPointSettings, enabled), M(BiasPointSettings, detailedBias),
                 M(BiasPointSettings, sensEnabled), M(BiasPointSettings, tfEnabled),
                 M(BiasPointSettings, sensOutputVars), M(BiasPointSettings, tfOutputVar),
                 M(BiasPointSettings, tfInputSource));

KV_ASSERT_LAYOUT(MonteCarloSettings, M(MonteCarloSettings, hostReserved1),
                 M(MonteCarloSettings, enabled), M(MonteCarloSettings, analysisType),
                 M(MonteCarloSettings, mode), M(MonteCarloSettings, listModelParams),
                 M(MonteCarloSettings, collatingFunction), M(MonteCarloSettings, gaussUserParam),
                 M(MonteCarloSettings, saveDataMode), M(MonteCarloSettings, distributionIndex),
                 M(MonteCarloSettings, distributions), M(MonteCarloSettings, varyDevices),
                 M(MonteCarloSettings, worstCaseDirection),
                 M(MonteCarloSettings, saveSensitivityRuns), M(MonteCarloSettings, legacySupport),
                 M(MonteCarloSettings, loadParams), M(MonteCarloSettings, saveParams),
                 M(MonteCarloSettings, loadParamFile), M(MonteCarloSettings, saveParamFile),
                 M(MonteCarloSettings, numberOfRuns), M(MonteCarloSettings, runsList),
                 M(MonteCarloSettings, randomSeed), M(MonteCarloSettings, deviceTypes),
                 M(MonteCarloSettings, outputVariable), M(MonteCarloSettings, rangeFrom),
                 M(MonteCarloSettings, rangeTo), M(MonteCarloSettings, threshold));

KV_ASSERT_LAYOUT(TemperatureSettings, M(TemperatureSettings, hostReserved1),
                 M(TemperatureSettings, enabled), M(TemperatureSettings, singleTemperature),
                 M(TemperatureSettings, temperatures));

KV_ASSERT_LAYOUT(LoadBiasSettings, M(LoadBiasSettings, hostReserved1), M(LoadBiasSettings, enabled),
                 M(LoadBiasSettings, fileName));

KV_ASSERT_LAYOUT(DcSaveBiasSettings, M(DcSaveBiasSettings, hostReserved1),
                 M(DcSaveBiasSettings, enabled), M(DcSaveBiasSettings, noSubcircuits),
                 M(DcSaveBiasSettings, fileName), M(DcSaveBiasSettings, mcRunNumber),
                 M(DcSaveBiasSettings, parametricValue), M(DcSaveBiasSettings, primaryValue),
                 M(DcSaveBiasSettings, secondaryValue), M(DcSaveBiasSettings, temperatureValue));

KV_ASSERT_LAYOUT(CheckpointSettings, M(CheckpointSettings, hostReserved1),
                 M(CheckpointSettings, enabled), M(CheckpointSettings, selectedEntry),
                 M(CheckpointSettings, timePointMode), M(CheckpointSettings, entries));

KV_ASSERT_LAYOUT(RestartSettings, M(RestartSettings, hostReserved1), M(RestartSettings, enabled),
                 M(RestartSettings, selectedEntry), M(RestartSettings, restartPointIndex),
                 M(RestartSettings, restartPoint), M(RestartSettings, restartAtMode),
                 M(RestartSettings, saveOriginalDat), M(RestartSettings, entries));

KV_ASSERT_LAYOUT(OptionSettings, M(OptionSettings, hostReserved1), M(OptionSettings, hostReserved2),
                 M(OptionSettings, ACCT), M(OptionSettings, EXPAND), M(OptionSettings, LIBRARY),
                 M(OptionSettings, LIST), M(OptionSettings, NOBIAS), M(OptionSettings, NODE),
                 M(OptionSettings, NOECHO), M(OptionSettings, noIndexUpdate),
                 M(OptionSettings, NOMOD), M(OptionSettings, NOOUTMSG), M(OptionSettings, NOPAGE),
                 M(OptionSettings, suppressWaveformErrors), M(OptionSettings, reservedSwitch),
                 M(OptionSettings, OPTS), M(OptionSettings, STEPGMIN), M(OptionSettings, PREORDER),
                 M(OptionSettings, NOGMINI), M(OptionSettings, NOSTEPDEP),
                 M(OptionSettings, ADVCONV), M(OptionSettings, GMINSRC),
                 M(OptionSettings, PSEUDOTRAN), M(OptionSettings, BRKDEPSRC),
                 M(OptionSettings, NOSTEPSRC), M(OptionSettings, CONVAID),
                 M(OptionSettings, TRANCONV), M(OptionSettings, optionValues),
                 M(OptionSettings, autoConverge), M(OptionSettings, autoConvergeITL1),
                 M(OptionSettings, autoConvergeITL2), M(OptionSettings, autoConvergeITL4),
                 M(OptionSettings, autoConvergeRELTOL), M(OptionSettings, autoConvergeABSTOL),
                 M(OptionSettings, autoConvergeVNTOL), M(OptionSettings, autoConvergePIVTOL),
                 M(OptionSettings, autoConvergeRestart), M(OptionSettings, optionIsSet));

KV_ASSERT_LAYOUT(DataCollectionSettings, M(DataCollectionSettings, collectMask),
                 M(DataCollectionSettings, saveCsdf), M(DataCollectionSettings, probeDataWidth));

KV_ASSERT_LAYOUT(ProbeWindowSettings, M(ProbeWindowSettings, displayOnOpen),
                 M(ProbeWindowSettings, displayOnRun), M(ProbeWindowSettings, displayWhen),
                 M(ProbeWindowSettings, showOnDisplay));

KV_ASSERT_LAYOUT(MeasurementSettings, M(MeasurementSettings, showVoltages),
                 M(MeasurementSettings, showCurrents), M(MeasurementSettings, showPower),
                 M(MeasurementSettings, displayAfterRun), M(MeasurementSettings, changed),
                 M(MeasurementSettings, variableFilter), M(MeasurementSettings, measureList),
                 M(MeasurementSettings, voltageVars), M(MeasurementSettings, currentVars),
                 M(MeasurementSettings, powerVars));

KV_ASSERT_LAYOUT(OutputVariable, M(OutputVariable, name), M(OutputVariable, listed));

// Host placeholders have the size of what they stand for: a pointer or a profile string.
static_assert(sizeof(SimProfile::hostReserved1) == sizeof(void*));
static_assert(sizeof(SimProfile::hostReserved2) == sizeof(void*));
static_assert(sizeof(SimProfile::hostReserved3) == sizeof(vnt_string));
static_assert(sizeof(GeneralSettings::hostReserved1) == sizeof(void*));
static_assert(sizeof(GeneralSettings::hostReserved2) == sizeof(vnt_string));

// Types the records fix: 32-bit flags, the unsigned collection mask, the two 16-bit viewer
// fields, a byte for "listed", a bool for "Save Original Dat File", 53 option slots.
static_assert(std::is_same_v<decltype(SimProfile::analysisType), std::int32_t>);
static_assert(std::is_same_v<decltype(DataCollectionSettings::collectMask), std::uint32_t>);
static_assert(std::is_same_v<decltype(ProbeWindowSettings::displayWhen), std::int16_t>);
static_assert(std::is_same_v<decltype(ProbeWindowSettings::showOnDisplay), std::int16_t>);
static_assert(sizeof(OutputVariable::listed) == 1);
static_assert(std::is_same_v<decltype(RestartSettings::saveOriginalDat), bool>);
static_assert(std::tuple_size_v<decltype(OptionSettings::optionValues)> == 53);
static_assert(std::tuple_size_v<decltype(OptionSettings::optionIsSet)> == 53);
static_assert(std::is_same_v<decltype(OptionSettings::optionIsSet)::value_type, std::int32_t>);

namespace {

// Offset of a member inside a live object: offsetof is not available for the polymorphic
// file-configuration record.
template <class T, class V>
std::size_t offsetIn(const T& object, V T::*member) {
    return static_cast<std::size_t>(reinterpret_cast<const char*>(&(object.*member)) -
                                    reinterpret_cast<const char*>(&object));
}

template <class T, class V>
layout::Member memberOf(const T& object, V T::*member) {
    return {offsetIn(object, member), sizeof(V), alignof(V)};
}

TEST(RecordLayout, FileConfigFieldsFollowTheVirtualTablePointer) {
    const FileConfigSettings record;
    const layout::Member members[] = {
        memberOf(record, &FileConfigSettings::changed),
        memberOf(record, &FileConfigSettings::libraryPath),
        memberOf(record, &FileConfigSettings::globalLibraries),
        memberOf(record, &FileConfigSettings::designLibraries),
        memberOf(record, &FileConfigSettings::profileLibraries),
        memberOf(record, &FileConfigSettings::globalIncludes),
        memberOf(record, &FileConfigSettings::designIncludes),
        memberOf(record, &FileConfigSettings::profileIncludes),
        memberOf(record, &FileConfigSettings::globalStimuli),
        memberOf(record, &FileConfigSettings::designStimuli),
        memberOf(record, &FileConfigSettings::profileStimuli),
    };
    EXPECT_EQ(members[0].offset, sizeof(void*)) << "changed must follow the vtable pointer";
    EXPECT_TRUE(layout::contiguous(members, sizeof(void*), sizeof(FileConfigSettings),
                                   alignof(FileConfigSettings)))
        << "FileConfigSettings: fields out of order, missing or extra";
}

}  // namespace
