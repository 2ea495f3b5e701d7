// The profile's transient-analysis sub-records: the transient run itself (run-to time, data
// saving, step limit, Fourier analysis) and saving the bias point during a transient run.
// The transient child dialogs of the Analysis page own them.
//
// Every analysis sub-record starts with a host header word the library does not use, followed
// by the 32-bit `enabled` flag that the Analysis page governs. Times are text in the
// simulator's notation with scale suffixes (e.g. "100.00u"), passed through untouched.
#pragma once

#include <cstdint>

#include "vnt/vnt_string.h"

// Transient (time-domain) analysis settings.
struct TransientSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the transient analysis is part of the run.
    std::int32_t enabled = 0;
    // 1: skip the initial transient bias point calculation (SKIPBP).
    std::int32_t skipBiasPoint = 0;
    // 1: perform a Fourier analysis.
    std::int32_t fourierEnabled = 0;
    // 1: detailed bias point information for nonlinear controlled sources and semiconductors (/OP).
    std::int32_t detailedBias = 0;
    // 1: run in resume mode.
    std::int32_t resumeMode = 0;
    // Final time (TSTOP), seconds, simulator notation.
    vnt_string runToTime;
    // Interval of printed values in the output file, seconds.
    vnt_string printStep;
    // Time after which data is saved, seconds.
    vnt_string startSaving;
    // Maximum step size, seconds.
    vnt_string maxStep;
    // Fourier center frequency, hertz.
    vnt_string fourierCenterFreq;
    // Output variables of the Fourier analysis.
    vnt_string fourierOutputVars;
    // Number of harmonics.
    vnt_string fourierHarmonics;
};

// When TranSaveBiasSettings saves the bias point.
enum class TranSaveMode : std::int32_t {
    once = 0,        // once, at onceAtTime
    repeatedly = 1,  // every repeatEvery of simulation time
};

// Saving the bias point during a transient analysis ("Save Bias Point" of the transient list).
struct TranSaveBiasSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: "Save Bias Point" is checked in the transient list.
    std::int32_t enabled = 0;
    // TranSaveMode: 0 once, 1 repeatedly.
    std::int32_t saveMode = 0;
    // 1: do not save subcircuit voltages and currents.
    std::int32_t noSubcircuits = 0;
    // Simulation time of the single save, seconds.
    vnt_string onceAtTime;
    // Simulation-time interval of repeated saves, seconds.
    vnt_string repeatEvery;
    // File that receives the bias information.
    vnt_string fileName;
    // Monte Carlo run number at which to save.
    vnt_string mcRunNumber;
    // Parametric sweep value at which to save.
    vnt_string parametricValue;
    // Temperature-sweep temperature at which to save, degrees Celsius.
    vnt_string temperatureValue;
};
