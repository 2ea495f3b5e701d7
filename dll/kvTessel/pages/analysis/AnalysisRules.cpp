// The rules of the Analysis page and its child dialogs.
#include "AnalysisRules.h"

#include <algorithm>
#include <cctype>

#include "resource.h"

namespace {

constexpr OptionItem kTransientOptions[] = {
    {IDS_OPT_GENERAL_SETTINGS, Slot::transient},       {IDS_OPT_MONTE_CARLO, Slot::monteCarlo},
    {IDS_OPT_PARAMETRIC_SWEEP, Slot::parametricSweep}, {IDS_OPT_TEMPERATURE, Slot::temperature},
    {IDS_OPT_SAVE_BIAS, Slot::transientSaveBias},      {IDS_OPT_LOAD_BIAS, Slot::loadBias},
    {IDS_OPT_SAVE_CHECKPOINTS, Slot::checkpoint},      {IDS_OPT_RESTART, Slot::restart},
};
constexpr OptionItem kDcSweepOptions[] = {
    {IDS_OPT_PRIMARY_SWEEP, Slot::dcPrimarySweep},
    {IDS_OPT_SECONDARY_SWEEP, Slot::dcSecondarySweep},
    {IDS_OPT_MONTE_CARLO, Slot::monteCarlo},
    {IDS_OPT_PARAMETRIC_SWEEP, Slot::parametricSweep},
    {IDS_OPT_TEMPERATURE, Slot::temperature},
    {IDS_OPT_SAVE_BIAS, Slot::dcSaveBias},
    {IDS_OPT_LOAD_BIAS, Slot::loadBias},
};
constexpr OptionItem kAcSweepOptions[] = {
    {IDS_OPT_GENERAL_SETTINGS, Slot::acSweep},
    {IDS_OPT_MONTE_CARLO, Slot::monteCarlo},
    {IDS_OPT_PARAMETRIC_SWEEP, Slot::parametricSweep},
    {IDS_OPT_TEMPERATURE, Slot::temperature},
    {IDS_OPT_SAVE_BIAS, Slot::dcSaveBias},
    {IDS_OPT_LOAD_BIAS, Slot::loadBias},
};
constexpr OptionItem kBiasPointOptions[] = {
    {IDS_OPT_GENERAL_SETTINGS, Slot::biasPoint},
    {IDS_OPT_TEMPERATURE, Slot::temperature},
    {IDS_OPT_SAVE_BIAS, Slot::dcSaveBias},
    {IDS_OPT_LOAD_BIAS, Slot::loadBias},
};

Refusal refuse(unsigned id, int control) {
    return Refusal{static_cast<UINT>(id), control};
}

// Sweep-type radio indexes of the sweep dialog, and its unsorted combo's items.
constexpr int kLinear = 0;
constexpr int kLogarithmic = 1;
constexpr int kValueList = 2;
constexpr int kOctave = 0;
constexpr int kDecade = 1;
// The AC dialog's combo is sorted: "Decade" comes first.
constexpr int kAcDecade = 0;
constexpr int kAcOctave = 1;

}  // namespace

std::span<const OptionItem> OptionsOfType(unsigned typeStringId) {
    switch (typeStringId) {
        case IDS_TYPE_TRANSIENT:
            return kTransientOptions;
        case IDS_TYPE_DC_SWEEP:
            return kDcSweepOptions;
        case IDS_TYPE_AC_SWEEP:
            return kAcSweepOptions;
        case IDS_TYPE_BIAS_POINT:
            return kBiasPointOptions;
        default:
            return {};
    }
}

SweepControls SweepControlsOf(int storedSweepType) {
    switch (storedSweepType) {
        case 1:
            return {kLogarithmic, kOctave};
        case 2:
            return {kLogarithmic, kDecade};
        case 3:
            return {kValueList, kDecade};
        default:
            // 0, and any value a profile should not hold, open as a linear sweep.
            return {kLinear, kDecade};
    }
}

int SweepTypeOf(const SweepControls& controls) {
    if (controls.radio == kLogarithmic) {
        return controls.combo == kDecade ? 2 : 1;
    }
    if (controls.radio == kValueList) {
        return 3;
    }
    return 0;  // linear, and no radio at all
}

VariableEnables EnablesOfVariableKind(int kind) {
    switch (kind) {
        case 0:
        case 1:
            return {true, false, false};
        case 2:
            return {false, false, true};
        case 3:
            return {false, true, true};
        default:
            return {false, false, false};  // temperature, or no kind chosen
    }
}

SweepTypeEnables EnablesOfSweepType(int radio, int combo) {
    switch (radio) {
        case kLinear:
            return {true, false, false, IDS_INCREMENT_LABEL};
        case kLogarithmic:
            return {true, true, false,
                    combo == kDecade ? IDS_POINTS_DECADE_LABEL : IDS_POINTS_OCTAVE_LABEL};
        case kValueList:
            return {false, false, true, std::nullopt};
        default:
            return {false, false, false, std::nullopt};
    }
}

std::optional<Refusal> CheckSweep(const SweepInput& in) {
    switch (in.variableKind) {
        case 0:
        case 1:
            if (in.sourceName.empty()) {
                return refuse(IDS_ENTER_SOURCE_NAME, IDC_SOURCE_NAME);
            }
            break;
        case 2:
            if (in.paramName.empty()) {
                return refuse(IDS_ENTER_GLOBAL_PARAM, IDC_PARAM_NAME);
            }
            break;
        case 3:
            if (in.modelType.empty()) {
                return refuse(IDS_SELECT_MODEL_TYPE, IDC_MODEL_TYPE);
            }
            if (in.paramName.empty()) {
                return refuse(IDS_ENTER_MODEL_PARAM, IDC_PARAM_NAME);
            }
            if (in.modelName.empty()) {
                return refuse(IDS_ENTER_MODEL_NAME, IDC_MODEL_NAME);
            }
            break;
        default:
            break;  // the temperature needs no name
    }
    if (in.sweepRadio == kValueList) {
        if (in.valueList.empty()) {
            return refuse(IDS_ENTER_SWEEP_LIST, IDC_SWEEP_VALUES);
        }
        return std::nullopt;
    }
    if (in.startValue.empty()) {
        return refuse(IDS_ENTER_SWEEP_START, IDC_START_VALUE);
    }
    if (in.endValue.empty()) {
        return refuse(IDS_ENTER_SWEEP_END, IDC_END_VALUE);
    }
    if (in.increment.empty()) {
        if (in.sweepRadio == kLogarithmic) {
            return refuse(IDS_ENTER_SWEEP_POINTS, IDC_INCREMENT);
        }
        if (in.sweepRadio == kLinear) {
            return refuse(IDS_ENTER_SWEEP_INCREMENT, IDC_INCREMENT);
        }
    }
    return std::nullopt;
}

SweepControls AcSweepControlsOf(int storedSweepType) {
    switch (storedSweepType) {
        case 1:
            return {kLogarithmic, kAcOctave};
        case 2:
            return {kLogarithmic, kAcDecade};
        default:
            return {kLinear, kAcDecade};
    }
}

int AcSweepTypeOf(const SweepControls& controls) {
    if (controls.radio == kLogarithmic) {
        return controls.combo == kAcOctave ? 1 : 2;
    }
    return 0;
}

unsigned AcPointsLabelOf(const SweepControls& controls) {
    if (controls.radio != kLogarithmic) {
        return IDS_AC_TOTAL_POINTS_LABEL;
    }
    return controls.combo == kAcOctave ? IDS_AC_POINTS_OCTAVE_LABEL : IDS_AC_POINTS_DECADE_LABEL;
}

std::optional<Refusal> CheckAcSweep(const AcSweepInput& in) {
    // A missing noise field outranks a missing frequency field.
    if (in.noiseEnabled) {
        if (in.noiseOutputVoltage.empty()) {
            return refuse(IDS_ENTER_NOISE_OUTPUT, IDC_NOISE_OUTPUT);
        }
        if (in.noiseSource.empty()) {
            return refuse(IDS_ENTER_NOISE_SOURCE, IDC_NOISE_SOURCE);
        }
    }
    if (in.startFreq.empty()) {
        return refuse(IDS_ENTER_AC_START, IDC_AC_START_FREQ);
    }
    if (in.endFreq.empty()) {
        return refuse(IDS_ENTER_AC_END, IDC_AC_END_FREQ);
    }
    if (in.totalPoints.empty()) {
        return refuse(IDS_ENTER_AC_POINTS, IDC_AC_POINTS);
    }
    return std::nullopt;
}

std::optional<Refusal> CheckBiasPoint(const BiasPointInput& in) {
    if (in.sensEnabled && in.sensOutputVars.empty()) {
        return refuse(IDS_ENTER_SENS_OUTPUT, IDC_SENS_VARS);
    }
    if (in.tfEnabled) {
        if (in.tfInputSource.empty()) {
            return refuse(IDS_ENTER_TF_INPUT, IDC_TF_INPUT);
        }
        if (in.tfOutputVar.empty()) {
            return refuse(IDS_ENTER_TF_OUTPUT, IDC_TF_OUTPUT);
        }
    }
    return std::nullopt;
}

std::optional<Refusal> CheckTransient(std::string_view runToTime) {
    if (runToTime.empty()) {
        return refuse(IDS_ENTER_FINAL_TIME, IDC_RUN_TO_TIME);
    }
    return std::nullopt;
}

std::optional<Refusal> CheckTemperature(int radio, std::string_view single, std::string_view list) {
    if (radio == 1) {
        if (list.empty()) {
            return refuse(IDS_ENTER_TEMPERATURES, IDC_TEMP_LIST_TEXT);
        }
    } else if (single.empty()) {
        return refuse(IDS_ENTER_TEMPERATURES, IDC_TEMP_SINGLE_TEXT);
    }
    return std::nullopt;
}

std::optional<Refusal> CheckSaveBiasFile(std::string_view fileName, int fileControl) {
    if (fileName.empty()) {
        return Refusal{msg::enterSaveBiasFile, fileControl};
    }
    return std::nullopt;
}

std::optional<Refusal> CheckLoadBiasFile(std::string_view fileName) {
    if (fileName.empty()) {
        return Refusal{msg::enterLoadBiasFile, IDC_LOAD_BIAS_FILE};
    }
    return std::nullopt;
}

std::string StoredBiasFileName(std::string_view fullPath, std::string_view profileDir) {
    const auto cut = fullPath.find_last_of("\\/");
    if (cut == std::string_view::npos) {
        return std::string(fullPath);
    }
    const std::string_view folder = fullPath.substr(0, cut);
    const bool same = std::ranges::equal(folder, profileDir, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
    return std::string(same ? fullPath.substr(cut + 1) : fullPath);
}
