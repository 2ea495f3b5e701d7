// The profile's sweep sub-record, used three times: the primary and the secondary (nested) DC
// sweep and the parametric sweep. The DC sweep child dialog of the Analysis page owns it.
// Values are text in the simulator's notation with scale suffixes, passed through untouched.
#pragma once

#include <cstdint>

#include "vnt/vnt_string.h"

// How a sweep steps from start to end (SweepSettings::sweepType).
enum class SweepType : std::int32_t {
    linear = 0,             // constant increment
    logarithmicOctave = 1,  // increment = points per octave
    logarithmicDecade = 2,  // increment = points per decade
    valueList = 3,          // the explicit valueList
};

// What a sweep varies (SweepSettings::variableKind).
enum class SweepVariable : std::int32_t {
    voltageSource = 0,    // independent voltage source sourceName
    currentSource = 1,    // independent current source sourceName
    globalParameter = 2,  // global parameter paramName
    modelParameter = 3,   // parameter paramName of model modelName of type modelType
    temperature = 4,      // the circuit temperature
};

// One sweep (primary DC, secondary DC or parametric).
struct SweepSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the sweep belongs to the run.
    std::int32_t enabled = 0;
    // SweepType: 0 linear, 1 octave, 2 decade, 3 value list.
    std::int32_t sweepType = 0;
    // SweepVariable: 0 voltage source ... 4 temperature.
    std::int32_t variableKind = 0;
    // Name of the swept independent source.
    vnt_string sourceName;
    // Name of the global parameter or of the model parameter.
    vnt_string paramName;
    // Name of the model whose parameter is swept.
    vnt_string modelName;
    // Device type of that model (one of the model-type list items).
    vnt_string modelType;
    // First value.
    vnt_string startValue;
    // Last value.
    vnt_string endValue;
    // Linear increment, or points per octave or per decade.
    vnt_string increment;
    // Explicit list of values.
    vnt_string valueList;
};
