// The profile's measurement sub-record: the measurement expressions of the three analyses that
// the waveform viewer evaluates after a run, the design's output variables that the
// Measurements page lists, and the page's filter and check boxes.
#pragma once

#include <cstdint>
#include <vector>

#include "vnt/MeasData.h"
#include "vnt/vnt_string.h"

// One output variable of the design, as the host lists it.
struct OutputVariable {
    // Variable name, such as one beginning with V, I or W.
    vnt_string name;
    // 1: the name matches the page's current filter; written by the page.
    std::uint8_t listed = 0;
};

// Measurement settings. Host-owned; the host fills the three variable lists and the page only
// reads their names and writes their listed bytes.
struct MeasurementSettings {
    // 1: "Voltages" was checked.
    std::int32_t showVoltages = 0;
    // 1: "Currents" was checked.
    std::int32_t showCurrents = 0;
    // 1: "Power" was checked.
    std::int32_t showPower = 0;
    // 1: "Display measurements after simulation" was checked.
    std::int32_t displayAfterRun = 0;
    // Set to 1 when the page writes the record after a change.
    std::int32_t changed = 0;
    // Last filter pattern ("*" and "?" wildcards).
    vnt_string variableFilter;
    // The measurements of all three analyses.
    std::vector<MeasData> measureList;
    // Voltage output variables of the design.
    std::vector<OutputVariable> voltageVars;
    // Current output variables.
    std::vector<OutputVariable> currentVars;
    // Power output variables.
    std::vector<OutputVariable> powerVars;
};
