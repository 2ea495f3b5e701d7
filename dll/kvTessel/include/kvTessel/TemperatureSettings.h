// The profile's temperature sub-record and its two bias point file sub-records (save the bias
// point for the non-transient analyses, load a bias point), owned by the temperature, DC save
// bias and load bias child dialogs of the Analysis page.
#pragma once

#include <cstdint>

#include "vnt/vnt_string.h"

// The temperature (or list of temperatures) the simulation runs at.
struct TemperatureSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the option is checked in the Analysis page list.
    std::int32_t enabled = 0;
    // 1: one temperature; 0: a list.
    std::int32_t singleTemperature = 0;
    // The one temperature, or the list separated by spaces, degrees Celsius.
    vnt_string temperatures;
};

// Loading the bias point from a file before the run.
struct LoadBiasSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the option is checked in the Analysis page list.
    std::int32_t enabled = 0;
    // File to load the bias point from (bare name when in profileDir).
    vnt_string fileName;
};

// Saving the bias point during the non-transient analyses.
struct DcSaveBiasSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the option is checked in the Analysis page list.
    std::int32_t enabled = 0;
    // 1: do not save subcircuit voltages and currents.
    std::int32_t noSubcircuits = 0;
    // File that receives the bias information.
    vnt_string fileName;
    // Monte Carlo run number at which to save.
    vnt_string mcRunNumber;
    // Parametric sweep value at which to save.
    vnt_string parametricValue;
    // Primary DC sweep value at which to save.
    vnt_string primaryValue;
    // Secondary DC sweep value at which to save.
    vnt_string secondaryValue;
    // Temperature-sweep temperature at which to save, degrees Celsius.
    vnt_string temperatureValue;
};
