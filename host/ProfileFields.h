// The fields of every profile record as kvhost reads and writes them in JSON: one table per
// record type, in the order the library's headers declare the fields, naming each field as the
// header does. Host members are left out: the library never reads them and neither does JSON.
// The tables drive both directions of the conversion, so a field cannot be read one way and
// written another.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

#include "kvTessel/SimProfile.h"

namespace kvhost::fields {

// The option-slot arrays of OptionSettings.
using OptionTexts = std::array<vnt_string, kOptionSlotCount>;
using OptionFlags = std::array<std::int32_t, kOptionSlotCount>;

// A field of record type R: a pointer to the member, one alternative per kind of value.
template <typename R>
using Member = std::variant<std::int32_t R::*, std::uint32_t R::*, std::int16_t R::*, bool R::*,
                            vnt_string R::*, std::vector<vnt_string> R::*, OptionTexts R::*,
                            OptionFlags R::*, std::vector<MeasData> R::*,
                            std::vector<OutputVariable> R::*, std::vector<CCheckPointReader*> R::*>;

// One named field of record type R.
template <typename R>
struct Field {
    std::string_view name;
    Member<R> member;
};

// The field table of record type R (specialised below for every record).
template <typename R>
struct Table;

template <>
struct Table<TransientSettings> {
    using R = TransientSettings;
    static constexpr std::array<Field<R>, 12> fields = {{
        {"enabled", &R::enabled},
        {"skipBiasPoint", &R::skipBiasPoint},
        {"fourierEnabled", &R::fourierEnabled},
        {"detailedBias", &R::detailedBias},
        {"resumeMode", &R::resumeMode},
        {"runToTime", &R::runToTime},
        {"printStep", &R::printStep},
        {"startSaving", &R::startSaving},
        {"maxStep", &R::maxStep},
        {"fourierCenterFreq", &R::fourierCenterFreq},
        {"fourierOutputVars", &R::fourierOutputVars},
        {"fourierHarmonics", &R::fourierHarmonics},
    }};
};

template <>
struct Table<TranSaveBiasSettings> {
    using R = TranSaveBiasSettings;
    static constexpr std::array<Field<R>, 9> fields = {{
        {"enabled", &R::enabled},
        {"saveMode", &R::saveMode},
        {"noSubcircuits", &R::noSubcircuits},
        {"onceAtTime", &R::onceAtTime},
        {"repeatEvery", &R::repeatEvery},
        {"fileName", &R::fileName},
        {"mcRunNumber", &R::mcRunNumber},
        {"parametricValue", &R::parametricValue},
        {"temperatureValue", &R::temperatureValue},
    }};
};

template <>
struct Table<AcSweepSettings> {
    using R = AcSweepSettings;
    static constexpr std::array<Field<R>, 10> fields = {{
        {"enabled", &R::enabled},
        {"sweepType", &R::sweepType},
        {"noiseEnabled", &R::noiseEnabled},
        {"detailedBias", &R::detailedBias},
        {"totalPoints", &R::totalPoints},
        {"startFreq", &R::startFreq},
        {"endFreq", &R::endFreq},
        {"noiseOutputVoltage", &R::noiseOutputVoltage},
        {"noiseSource", &R::noiseSource},
        {"noiseInterval", &R::noiseInterval},
    }};
};

template <>
struct Table<BiasPointSettings> {
    using R = BiasPointSettings;
    static constexpr std::array<Field<R>, 7> fields = {{
        {"enabled", &R::enabled},
        {"detailedBias", &R::detailedBias},
        {"sensEnabled", &R::sensEnabled},
        {"tfEnabled", &R::tfEnabled},
        {"sensOutputVars", &R::sensOutputVars},
        {"tfOutputVar", &R::tfOutputVar},
        {"tfInputSource", &R::tfInputSource},
    }};
};

template <>
struct Table<SweepSettings> {
    using R = SweepSettings;
    static constexpr std::array<Field<R>, 11> fields = {{
        {"enabled", &R::enabled},
        {"sweepType", &R::sweepType},
        {"variableKind", &R::variableKind},
        {"sourceName", &R::sourceName},
        {"paramName", &R::paramName},
        {"modelName", &R::modelName},
        {"modelType", &R::modelType},
        {"startValue", &R::startValue},
        {"endValue", &R::endValue},
        {"increment", &R::increment},
        {"valueList", &R::valueList},
    }};
};

template <>
struct Table<TemperatureSettings> {
    using R = TemperatureSettings;
    static constexpr std::array<Field<R>, 3> fields = {{
        {"enabled", &R::enabled},
        {"singleTemperature", &R::singleTemperature},
        {"temperatures", &R::temperatures},
    }};
};

template <>
struct Table<LoadBiasSettings> {
    using R = LoadBiasSettings;
    static constexpr std::array<Field<R>, 2> fields = {{
        {"enabled", &R::enabled},
        {"fileName", &R::fileName},
    }};
};

template <>
struct Table<DcSaveBiasSettings> {
    using R = DcSaveBiasSettings;
    static constexpr std::array<Field<R>, 8> fields = {{
        {"enabled", &R::enabled},
        {"noSubcircuits", &R::noSubcircuits},
        {"fileName", &R::fileName},
        {"mcRunNumber", &R::mcRunNumber},
        {"parametricValue", &R::parametricValue},
        {"primaryValue", &R::primaryValue},
        {"secondaryValue", &R::secondaryValue},
        {"temperatureValue", &R::temperatureValue},
    }};
};

template <>
struct Table<CheckpointSettings> {
    using R = CheckpointSettings;
    static constexpr std::array<Field<R>, 4> fields = {{
        {"enabled", &R::enabled},
        {"selectedEntry", &R::selectedEntry},
        {"timePointMode", &R::timePointMode},
        {"entries", &R::entries},
    }};
};

template <>
struct Table<RestartSettings> {
    using R = RestartSettings;
    static constexpr std::array<Field<R>, 7> fields = {{
        {"enabled", &R::enabled},
        {"selectedEntry", &R::selectedEntry},
        {"restartPointIndex", &R::restartPointIndex},
        {"restartPoint", &R::restartPoint},
        {"restartAtMode", &R::restartAtMode},
        {"saveOriginalDat", &R::saveOriginalDat},
        {"entries", &R::entries},
    }};
};

template <>
struct Table<MonteCarloSettings> {
    using R = MonteCarloSettings;
    static constexpr std::array<Field<R>, 25> fields = {{
        {"enabled", &R::enabled},
        {"analysisType", &R::analysisType},
        {"mode", &R::mode},
        {"listModelParams", &R::listModelParams},
        {"collatingFunction", &R::collatingFunction},
        {"gaussUserParam", &R::gaussUserParam},
        {"saveDataMode", &R::saveDataMode},
        {"distributionIndex", &R::distributionIndex},
        {"distributions", &R::distributions},
        {"varyDevices", &R::varyDevices},
        {"worstCaseDirection", &R::worstCaseDirection},
        {"saveSensitivityRuns", &R::saveSensitivityRuns},
        {"legacySupport", &R::legacySupport},
        {"loadParams", &R::loadParams},
        {"saveParams", &R::saveParams},
        {"loadParamFile", &R::loadParamFile},
        {"saveParamFile", &R::saveParamFile},
        {"numberOfRuns", &R::numberOfRuns},
        {"runsList", &R::runsList},
        {"randomSeed", &R::randomSeed},
        {"deviceTypes", &R::deviceTypes},
        {"outputVariable", &R::outputVariable},
        {"rangeFrom", &R::rangeFrom},
        {"rangeTo", &R::rangeTo},
        {"threshold", &R::threshold},
    }};
};

template <>
struct Table<GeneralSettings> {
    using R = GeneralSettings;
    static constexpr std::array<Field<R>, 9> fields = {{
        {"inputEditable", &R::inputEditable},
        {"profileName", &R::profileName},
        {"circuitMode", &R::circuitMode},
        {"designFile", &R::designFile},
        {"projectName", &R::projectName},
        {"schematicName", &R::schematicName},
        {"waveformFile", &R::waveformFile},
        {"outputFile", &R::outputFile},
        {"notes", &R::notes},
    }};
};

template <>
struct Table<FileConfigSettings> {
    using R = FileConfigSettings;
    static constexpr std::array<Field<R>, 11> fields = {{
        {"changed", &R::changed},
        {"libraryPath", &R::libraryPath},
        {"globalLibraries", &R::globalLibraries},
        {"designLibraries", &R::designLibraries},
        {"profileLibraries", &R::profileLibraries},
        {"globalIncludes", &R::globalIncludes},
        {"designIncludes", &R::designIncludes},
        {"profileIncludes", &R::profileIncludes},
        {"globalStimuli", &R::globalStimuli},
        {"designStimuli", &R::designStimuli},
        {"profileStimuli", &R::profileStimuli},
    }};
};

template <>
struct Table<OptionSettings> {
    using R = OptionSettings;
    static constexpr std::array<Field<R>, 36> fields = {{
        {"ACCT", &R::ACCT},
        {"EXPAND", &R::EXPAND},
        {"LIBRARY", &R::LIBRARY},
        {"LIST", &R::LIST},
        {"NOBIAS", &R::NOBIAS},
        {"NODE", &R::NODE},
        {"NOECHO", &R::NOECHO},
        {"noIndexUpdate", &R::noIndexUpdate},
        {"NOMOD", &R::NOMOD},
        {"NOOUTMSG", &R::NOOUTMSG},
        {"NOPAGE", &R::NOPAGE},
        {"suppressWaveformErrors", &R::suppressWaveformErrors},
        {"reservedSwitch", &R::reservedSwitch},
        {"OPTS", &R::OPTS},
        {"STEPGMIN", &R::STEPGMIN},
        {"PREORDER", &R::PREORDER},
        {"NOGMINI", &R::NOGMINI},
        {"NOSTEPDEP", &R::NOSTEPDEP},
        {"ADVCONV", &R::ADVCONV},
        {"GMINSRC", &R::GMINSRC},
        {"PSEUDOTRAN", &R::PSEUDOTRAN},
        {"BRKDEPSRC", &R::BRKDEPSRC},
        {"NOSTEPSRC", &R::NOSTEPSRC},
        {"CONVAID", &R::CONVAID},
        {"TRANCONV", &R::TRANCONV},
        {"optionValues", &R::optionValues},
        {"autoConverge", &R::autoConverge},
        {"autoConvergeITL1", &R::autoConvergeITL1},
        {"autoConvergeITL2", &R::autoConvergeITL2},
        {"autoConvergeITL4", &R::autoConvergeITL4},
        {"autoConvergeRELTOL", &R::autoConvergeRELTOL},
        {"autoConvergeABSTOL", &R::autoConvergeABSTOL},
        {"autoConvergeVNTOL", &R::autoConvergeVNTOL},
        {"autoConvergePIVTOL", &R::autoConvergePIVTOL},
        {"autoConvergeRestart", &R::autoConvergeRestart},
        {"optionIsSet", &R::optionIsSet},
    }};
};

template <>
struct Table<DataCollectionSettings> {
    using R = DataCollectionSettings;
    static constexpr std::array<Field<R>, 3> fields = {{
        {"collectMask", &R::collectMask},
        {"saveCsdf", &R::saveCsdf},
        {"probeDataWidth", &R::probeDataWidth},
    }};
};

template <>
struct Table<ProbeWindowSettings> {
    using R = ProbeWindowSettings;
    static constexpr std::array<Field<R>, 4> fields = {{
        {"displayOnOpen", &R::displayOnOpen},
        {"displayOnRun", &R::displayOnRun},
        {"displayWhen", &R::displayWhen},
        {"showOnDisplay", &R::showOnDisplay},
    }};
};

template <>
struct Table<MeasurementSettings> {
    using R = MeasurementSettings;
    static constexpr std::array<Field<R>, 10> fields = {{
        {"showVoltages", &R::showVoltages},
        {"showCurrents", &R::showCurrents},
        {"showPower", &R::showPower},
        {"displayAfterRun", &R::displayAfterRun},
        {"changed", &R::changed},
        {"variableFilter", &R::variableFilter},
        {"measureList", &R::measureList},
        {"voltageVars", &R::voltageVars},
        {"currentVars", &R::currentVars},
        {"powerVars", &R::powerVars},
    }};
};

// The profile's own scalar members (the sub-records are listed by the document).
template <>
struct Table<SimProfile> {
    using R = SimProfile;
    static constexpr std::array<Field<R>, 4> fields = {{
        {"profileDir", &R::profileDir},
        {"analysisType", &R::analysisType},
        {"activePage", &R::activePage},
        {"designSource", &R::designSource},
    }};
};

// Field names of a checkpoint entry object, in the entry's declaration order.
inline constexpr std::array<std::string_view, 4> kEntryFields = {"simInterval", "realTimeInterval",
                                                                 "directory", "timePoints"};

}  // namespace kvhost::fields

namespace kvhost::fields {

// True when every entry of R's table has a name: a table declared longer than its initialiser
// list would otherwise hold silent empty entries.
template <typename R>
constexpr bool allNamed() {
    for (const auto& field : Table<R>::fields) {
        if (field.name.empty()) {
            return false;
        }
    }
    return true;
}

}  // namespace kvhost::fields
