// The analysis a profile runs, as stored in SimProfile::analysisType and copied into
// MonteCarloSettings::analysisType. The value is also the item index of the Analysis page's
// "Analysis type" combo box.
#pragma once

#include <cstdint>

// Values of the profile's analysisType.
enum class AnalysisType : std::int32_t {
    transient = 0,  // "Time Domain (Transient)"
    dcSweep = 1,    // "DC Sweep"
    acSweep = 2,    // AC sweep and noise
    biasPoint = 3,  // bias point only
};
