// The Analysis page's rules apart from its windows: the options each analysis type lists, the
// mapping of the stored sweep types onto the dialogs' radio buttons and combo boxes (both ways),
// which controls each choice enables, and the validation of every child dialog, each answering
// the first problem as a Refusal.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pages/common/Refusal.h"

// The page's fourteen child slots, in slot order (the order in which the page saves them).
enum class Slot : int {
    transient = 0,
    acSweep = 1,
    dcPrimarySweep = 2,
    biasPoint = 3,
    monteCarlo = 4,
    parametricSweep = 5,
    temperature = 6,
    transientSaveBias = 7,
    dcSaveBias = 8,
    loadBias = 9,
    dcSecondarySweep = 10,
    unused = 11,  // always empty
    checkpoint = 12,
    restart = 13,
};
inline constexpr int kSlotCount = 14;

// One item of the option list: its text (string id) and the slot of its child dialog.
struct OptionItem {
    unsigned textId;
    Slot slot;
};

// The items the option list shows for an analysis type, given by the item data of the type
// combo's selection (the type's string id: 114, 105, 104 or 109); empty for any other value.
std::span<const OptionItem> OptionsOfType(unsigned typeStringId);

// The string ids of the analysis types in combo order (the combo index is `analysisType`).
inline constexpr std::array<unsigned, 4> kTypeStringIds = {114, 105, 104, 109};

// ---- Sweeps
// --------------------------------------------------------------------------------------

// How the sweep dialog shows a sweep type: the sweep-type radio (0 linear, 1 logarithmic,
// 2 value list, -1 none) and the octave/decade combo index (0 "Octave", 1 "Decade").
struct SweepControls {
    int radio;
    int combo;
};
// The controls for a stored sweepType: 1 octave, 2 decade, 3 value list, anything else linear.
SweepControls SweepControlsOf(int storedSweepType);
// The sweepType saved from the controls: decade 2, octave 1, value list 3, otherwise 0.
int SweepTypeOf(const SweepControls& controls);

// What a variable kind enables: the source name, the model type and name, the parameter name.
struct VariableEnables {
    bool sourceName;
    bool model;
    bool paramName;
};
VariableEnables EnablesOfVariableKind(int kind);

// What a sweep type enables, and the increment label's string id (none: left as it is).
struct SweepTypeEnables {
    bool range;  // start, end, increment labels and edits
    bool octaveDecade;
    bool valueList;
    std::optional<unsigned> incrementLabel;
};
SweepTypeEnables EnablesOfSweepType(int radio, int combo);

// What the sweep dialog validates.
struct SweepInput {
    int variableKind;  // radio index, -1 none
    int sweepRadio;    // 0 linear, 1 logarithmic, 2 value list, -1 none
    std::string_view sourceName;
    std::string_view paramName;
    std::string_view modelName;
    std::string_view modelType;
    std::string_view startValue;
    std::string_view endValue;
    std::string_view increment;
    std::string_view valueList;
};
std::optional<Refusal> CheckSweep(const SweepInput& input);

// ---- AC sweep
// ------------------------------------------------------------------------------------

// The AC dialog's radio (0 linear, 1 logarithmic) and its sorted combo (0 "Decade", 1 "Octave").
SweepControls AcSweepControlsOf(int storedSweepType);
int AcSweepTypeOf(const SweepControls& controls);
// The points label (string id) for the AC controls.
unsigned AcPointsLabelOf(const SweepControls& controls);

struct AcSweepInput {
    std::string_view startFreq;
    std::string_view endFreq;
    std::string_view totalPoints;
    bool noiseEnabled;
    std::string_view noiseOutputVoltage;
    std::string_view noiseSource;
};
std::optional<Refusal> CheckAcSweep(const AcSweepInput& input);

// ---- Bias point, transient, temperature, bias files
// -------------------------------------------------

struct BiasPointInput {
    bool sensEnabled;
    std::string_view sensOutputVars;
    bool tfEnabled;
    std::string_view tfInputSource;
    std::string_view tfOutputVar;
};
std::optional<Refusal> CheckBiasPoint(const BiasPointInput& input);

std::optional<Refusal> CheckTransient(std::string_view runToTime);

// `radio` 0: one temperature (the single text), 1: a list (the list text).
std::optional<Refusal> CheckTemperature(int radio, std::string_view single, std::string_view list);

// A bias point file name to save to (`fileControl` gets the focus).
std::optional<Refusal> CheckSaveBiasFile(std::string_view fileName, int fileControl);
std::optional<Refusal> CheckLoadBiasFile(std::string_view fileName);

// The file name a load dialog stores for a chosen file: the bare name when the file lies in
// `profileDir` (compared without case), otherwise the full path.
std::string StoredBiasFileName(std::string_view fullPath, std::string_view profileDir);
