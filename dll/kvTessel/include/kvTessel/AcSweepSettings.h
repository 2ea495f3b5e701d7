// The profile's AC sweep and noise sub-record and its bias point sub-record, owned by the AC
// sweep and bias point child dialogs of the Analysis page. Frequencies and counts are text in
// the simulator's notation with scale suffixes (e.g. "10.0G"), passed through untouched.
#pragma once

#include <cstdint>

#include "vnt/vnt_string.h"

// How the AC sweep steps (AcSweepSettings::sweepType); the same codes as SweepType's first
// three.
enum class AcSweepType : std::int32_t {
    linear = 0,             // totalPoints over the whole range
    logarithmicOctave = 1,  // totalPoints per octave
    logarithmicDecade = 2,  // totalPoints per decade
};

// AC sweep and noise analysis settings.
struct AcSweepSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the AC analysis belongs to the run.
    std::int32_t enabled = 0;
    // AcSweepType: 0 linear, 1 octave, 2 decade.
    std::int32_t sweepType = 0;
    // 1: run a noise analysis.
    std::int32_t noiseEnabled = 0;
    // 1: detailed bias point information (.OP).
    std::int32_t detailedBias = 0;
    // Total points (linear) or points per octave or decade.
    vnt_string totalPoints;
    // Start frequency, hertz.
    vnt_string startFreq;
    // End frequency, hertz.
    vnt_string endFreq;
    // Output voltage of the noise analysis.
    vnt_string noiseOutputVoltage;
    // Independent current or voltage source that is the noise input.
    vnt_string noiseSource;
    // Interval of the detailed noise output.
    vnt_string noiseInterval;
};

// Bias point analysis settings.
struct BiasPointSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the bias point analysis belongs to the run.
    std::int32_t enabled = 0;
    // 1: detailed bias point information (.OP).
    std::int32_t detailedBias = 0;
    // 1: perform a sensitivity analysis (.SENS).
    std::int32_t sensEnabled = 0;
    // 1: calculate the small-signal DC gain (.TF).
    std::int32_t tfEnabled = 0;
    // Output variable(s) of the sensitivity analysis.
    vnt_string sensOutputVars;
    // Output variable of the transfer function.
    vnt_string tfOutputVar;
    // Input source of the transfer function.
    vnt_string tfInputSource;
};
