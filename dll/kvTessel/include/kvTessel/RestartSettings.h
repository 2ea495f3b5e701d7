// The profile's "Restart Simulation" sub-record: the checkpoint folder and the saved state a
// transient run restarts from. The restart child dialog of the Analysis page owns it.
#pragma once

#include <cstdint>
#include <vector>

#include "kvTessel/CheckPoint.h"
#include "vnt/vnt_string.h"

// How the restart state is chosen (RestartSettings::restartAtMode).
enum class RestartAtMode : std::int32_t {
    none = -1,           // the folder list is empty
    simulationTime = 0,  // "Simulation Time"
    realTime = 1,        // "Real Time"
};

// Restarting a simulation from a checkpoint.
struct RestartSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the option is checked in the Analysis page list.
    std::int32_t enabled = 0;
    // Index of the selected folder row; -1 when the list is empty.
    std::int32_t selectedEntry = 0;
    // Position of the chosen state in the time list.
    std::int32_t restartPointIndex = 0;
    // Point name of the chosen state (second field of its "state_map" line).
    vnt_string restartPoint;
    // RestartAtMode: 0 simulation time, 1 real time, -1 empty list.
    std::int32_t restartAtMode = 0;
    // "Save Original Dat File".
    bool saveOriginalDat = false;
    // Checkpoint folders in list order, only directory used (non-owning; host-owned).
    std::vector<CCheckPointReader*> entries;
};
