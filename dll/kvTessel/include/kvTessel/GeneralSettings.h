// The profile's general sub-record: the profile's name, the design or circuit file it
// simulates, where the simulator writes its output and waveform data, and free notes. The
// General page owns it; the sheet, the Configuration Files, Vavir Window and Measurements pages
// read parts of it.
#pragma once

#include <cstdint>

#include "vnt/vnt_string.h"

// General settings of a simulation profile. Host-owned; the library reads and writes the
// named fields in place and never touches the host members.
struct GeneralSettings {
    // Host member (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: input fields may be edited (circuit-file mode only).
    std::int32_t inputEditable = 0;
    // Name of the simulation profile.
    vnt_string profileName;
    // 1: circuit-file mode (.CIR); 0: schematic mode (.DSN).
    std::int32_t circuitMode = 0;
    // Design file (.DSN) or circuit file (.CIR), with its path.
    vnt_string designFile;
    // Project file name (.OPJ).
    vnt_string projectName;
    // Schematic name within the design.
    vnt_string schematicName;
    // Host member (string-sized), opaque to the library.
    vnt_string hostReserved2;
    // Waveform data file written by the simulator.
    vnt_string waveformFile;
    // Simulator output (listing) file.
    vnt_string outputFile;
    // Free text.
    vnt_string notes;
};
