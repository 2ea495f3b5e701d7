// The profile's waveform-viewer sub-record: whether the Vavir window opens when the profile
// is opened or a simulation runs, when it opens during a run, and what it shows. The Vavir
// Window page owns it.
#pragma once

#include <cstdint>

// When the window opens for a run (ProbeWindowSettings::displayWhen).
enum class ProbeDisplayWhen : std::int16_t {
    duringSimulation = 0,  // "during simulation."
    afterSimulation = 1,   // "after simulation has completed."
};

// What the window shows when it opens (ProbeWindowSettings::showOnDisplay).
enum class ProbeShowOnDisplay : std::int16_t {
    allMarkers = 0,  // "All markers on open schematics."
    lastPlot = 1,    // "Last plot."
    nothing = 2,     // "Nothing."
};

// Waveform viewer settings. Host-owned; the page reads and writes these fields only. The two
// 16-bit fields are widened with sign when read and cut to 16 bits when written.
struct ProbeWindowSettings {
    // 1: open the Vavir window when the profile is opened.
    std::int32_t displayOnOpen = 0;
    // 1: open the Vavir window for a simulation run.
    std::int32_t displayOnRun = 0;
    // ProbeDisplayWhen: 0 during the simulation, 1 after it completed.
    std::int16_t displayWhen = 0;
    // ProbeShowOnDisplay: 0 all markers, 1 last plot, 2 nothing.
    std::int16_t showOnDisplay = 0;
};
